#include "host/ReplaceFile.h"

#include "host/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vorq {
namespace {

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw Error(std::strerror(errno));
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

} // namespace

void replaceFile(const std::filesystem::path& file, std::string_view text, std::string_view what) {
    const std::filesystem::path folder =
        file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path temporary = file.string() + ".tmp" + std::to_string(::getpid());
    const std::string name = std::string(what) + " " + file.string();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw Error("Cannot write " + name + ": " + std::strerror(errno));
    try {
        writeAll(fd, text);
    } catch (const Error& e) {
        ::close(fd);
        std::filesystem::remove(temporary, ec);
        throw Error("Cannot write " + name + ": " + e.description());
    }
    ::close(fd);
    moveIntoPlace(temporary, file, what);
}

void moveIntoPlace(const std::filesystem::path& written, const std::filesystem::path& file,
                   std::string_view what) {
    const std::string name = std::string(what) + " " + file.string();
    std::error_code ec;
    const int fd = ::open(written.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const std::string reason = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        std::filesystem::remove(written, ec);
        throw Error("Cannot write " + name + ": " + reason);
    }
    ::close(fd);
    std::filesystem::rename(written, file, ec);
    if (ec) {
        std::filesystem::remove(written, ec);
        throw Error("Cannot replace " + name + ": " + ec.message());
    }
    // The rename is durable once the folder is synced; a folder that cannot be opened for it
    // (some file systems) keeps the rename as the system wrote it.
    const std::filesystem::path folder =
        file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace vorq
