#pragma once

#include "cobol/FileReader.h"

#include <string>

namespace vorq::app {

// Source files from the disk, and one source read from standard input under a name of its
// own: its COPY members are looked for in the current folder and the copy paths.
class StdinReader : public cobol::FileReader {
public:
    // Standard input may be endless (a device, a program that never stops); a source of more
    // bytes than this is refused.
    static constexpr std::size_t kMaxStdinBytes = std::size_t{256} << 20;

    explicit StdinReader(std::string name) : name_(std::move(name)) {}

    // Reads standard input to its end, once; returns the name it is read under.
    const std::string& readStdin();

    std::optional<std::string> read(const std::string& path) const override;
    bool liesIn(const std::string& path, const std::vector<std::string>& folders) const override {
        return disk_.liesIn(path, folders);
    }

private:
    std::string name_;
    std::optional<std::string> text_;
    cobol::DiskFileReader disk_;
};

} // namespace vorq::app
