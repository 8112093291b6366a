#include "StdinReader.h"

#include "host/Error.h"

#include <iostream>
#include <iterator>

namespace vorq::app {

const std::string& StdinReader::readStdin() {
    if (text_)
        throw Error("Standard input can be read once: give - one time only");
    text_ = std::string(std::istreambuf_iterator<char>(std::cin), {});
    if (std::cin.bad())
        throw Error("Cannot read standard input");
    return name_;
}

std::optional<std::string> StdinReader::read(const std::string& path) const {
    if (text_ && path == name_)
        return text_;
    return disk_.read(path);
}

} // namespace vorq::app
