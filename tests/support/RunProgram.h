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

// A program to run in a forked child, made ready before the fork: tests start programs from
// several threads, and a child of a program with threads may call nothing that allocates (another
// thread may have held the allocator's lock at the fork; the sanitizers' one hung a test).
class ChildProgram {
public:
    // The extra environment: an empty value removes a variable.
    ChildProgram(std::string program, std::vector<std::string> args, std::string folder,
                 const std::map<std::string, std::string>& environment)
        : program_(std::move(program)), args_(std::move(args)), folder_(std::move(folder)) {
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (!environment.contains(entry.substr(0, entry.find('='))))
                env_.push_back(entry);
        }
        for (const auto& [name, value] : environment)
            if (!value.empty())
                env_.push_back(name + "=" + value);
        argv_.push_back(program_.data());
        for (auto& a : args_)
            argv_.push_back(a.data());
        argv_.push_back(nullptr);
        for (auto& e : env_)
            envp_.push_back(e.data());
        envp_.push_back(nullptr);
    }

    // In the child: enters the folder and runs the program; never returns.
    [[noreturn]] void exec() const {
        if (chdir(folder_.c_str()) != 0)
            _exit(126);
        execve(program_.c_str(), argv_.data(), envp_.data());
        _exit(127);
    }

private:
    std::string program_;
    std::vector<std::string> args_;
    std::string folder_;
    std::vector<std::string> env_;
    std::vector<char*> argv_, envp_;
};

// Starts a program as ChildProgram says, its output thrown away; returns its process id.
inline pid_t startProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& folder,
                          const std::map<std::string, std::string>& environment) {
    const ChildProgram child(program, args, folder, environment);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1), dup2(null, 2);
        child.exec();
    }
    return pid;
}

// Runs a program in folder with the arguments, the extra environment (an empty value removes
// a variable) and the text on its standard input; waits for it to end.
inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::string& folder,
                                const std::map<std::string, std::string>& environment = {},
                                const std::string& input = "") {
    const ChildProgram child(program, args, folder, environment);
    // Closed on exec, so that a program started meanwhile by another thread holds none of them
    // open (dup2 leaves the child's own three open).
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        throw std::runtime_error("pipe failed");
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0), dup2(out[1], 1), dup2(err[1], 2);
        child.exec();
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
