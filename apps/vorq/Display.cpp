#include "Display.h"

#include "UsageError.h"

#include <cstdlib>
#include <filesystem>
#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorq::app {
namespace {

bool connects(int family, const sockaddr* address, socklen_t length) {
    const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = connect(fd, address, length) == 0;
    close(fd);
    return ok;
}

bool unixSocketAccepts(const std::string& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0; // an abstract name begins with a NUL byte
    if (path.size() + offset >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path + offset, path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               path.size() + (abstract ? 0 : 1));
    return connects(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length);
}

// DISPLAY is [host]:number[.screen]; a local display listens on a socket of that number.
bool xDisplayAccepts(const std::string& display) {
    const auto colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = display.substr(0, colon);
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (host.empty() || host == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + number;
        return unixSocketAccepts(path, false) || unixSocketAccepts(path, true);
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(6000 + std::stoi(number)).c_str(), &hints,
                    &found) != 0)
        return false;
    bool ok = false;
    for (addrinfo* a = found; a && !ok; a = a->ai_next)
        ok = connects(a->ai_family, a->ai_addr, a->ai_addrlen);
    freeaddrinfo(found);
    return ok;
}

bool waylandAccepts(const std::string& display) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string path =
        display.starts_with("/") ? display : std::string(runtime ? runtime : "") + "/" + display;
    return unixSocketAccepts(path, false);
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

bool displayAvailable() {
    if (!variable("QT_QPA_PLATFORM").empty())
        return true;
    if (const std::string wayland = variable("WAYLAND_DISPLAY");
        !wayland.empty() && waylandAccepts(wayland))
        return true;
    const std::string x = variable("DISPLAY");
    return !x.empty() && xDisplayAccepts(x);
}

void requireDisplay(const std::string& command) {
    if (!displayAvailable())
        throw UsageError("vorq " + command +
                         " shows windows, and there is no display to show them on (DISPLAY, "
                         "WAYLAND_DISPLAY and QT_QPA_PLATFORM name none that answers); run "
                         "`vorq import --batch` without a display");
}

} // namespace vorq::app
