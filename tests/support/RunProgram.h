#pragma once

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vorq::testing {

// What a finished program printed and how it ended.
struct ProgramResult {
    int status = -1; // the exit status; 128 + the signal's number when a signal ended it
    std::string out;
    std::string err;
};

// In a forked child: enters folder, sets the extra environment (an empty value removes a
// variable) and runs the program; never returns.
[[noreturn]] inline void execProgram(const std::string& program,
                                     const std::vector<std::string>& args,
                                     const std::string& folder,
                                     const std::map<std::string, std::string>& environment) {
    if (chdir(folder.c_str()) != 0)
        _exit(126);
    for (const auto& [name, value] : environment)
        value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Starts a program as execProgram does, its output thrown away; returns its process id.
inline pid_t startProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& folder,
                          const std::map<std::string, std::string>& environment) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1), dup2(null, 2);
        execProgram(program, args, folder, environment);
    }
    return pid;
}

// Runs a program in folder with the arguments, the extra environment (an empty value removes
// a variable) and the text on its standard input; waits for it to end.
inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::string& folder,
                                const std::map<std::string, std::string>& environment = {},
                                const std::string& input = "") {
    int in[2], out[2], err[2];
    if (pipe(in) || pipe(out) || pipe(err))
        throw std::runtime_error("pipe failed");
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0), dup2(out[1], 1), dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
            close(fd);
        execProgram(program, args, folder, environment);
    }
    close(in[0]), close(out[1]), close(err[1]);
    // The input is written as the program takes it, while its output is read: a program that
    // stops reading early (a bound reached) must not leave the writer stuck or killed.
    std::signal(SIGPIPE, SIG_IGN);
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    std::size_t written = 0;
    if (input.empty())
        close(in[1]);
    ProgramResult result;
    pollfd fds[3] = {
        {out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {input.empty() ? -1 : in[1], POLLOUT, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    for (int open = 2; open > 0;) {
        poll(fds, 3, -1);
        if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(in[1], input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n < 0 || written == input.size()) {
                close(in[1]);
                fds[2].fd = -1;
            }
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
                continue;
            }
            close(fds[i].fd);
            fds[i].fd = -1;
            --open;
        }
    }
    if (fds[2].fd >= 0)
        close(in[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace vorq::testing
