#include "StdinReader.h"

#include "host/Error.h"

#include <iostream>

namespace vorq::app {

const std::string& StdinReader::readStdin() {
    if (text_)
        throw Error("Standard input can be read once: give - one time only");
    bool tooLong = false;
    text_ = cobol::readSourceText(std::cin, 0, kMaxStdinBytes, tooLong);
    if (std::cin.bad())
        throw Error("Cannot read standard input");
    if (tooLong)
        throw Error("Standard input (" + name_ + ") holds more than " +
                    std::to_string(kMaxStdinBytes >> 20) +
                    " MiB, more than any COBOL source: give the file by its name");
    return name_;
}

std::optional<std::string> StdinReader::read(const std::string& path) const {
    if (text_ && path == name_)
        return text_;
    return disk_.read(path);
}

} // namespace vorq::app
