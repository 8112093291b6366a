#pragma once

#include <map>
#include <optional>
#include <string>

namespace vorq::cobol {

// Reads source files and COPY members; tests replace the disk with a map.
class FileReader {
public:
    virtual ~FileReader() = default;
    // The file's text, or nothing when there is no such file.
    virtual std::optional<std::string> read(const std::string& path) const = 0;
};

class DiskFileReader : public FileReader {
public:
    std::optional<std::string> read(const std::string& path) const override;
};

class MemoryFileReader : public FileReader {
public:
    std::optional<std::string> read(const std::string& path) const override;
    void add(const std::string& path, std::string text) { files_[path] = std::move(text); }

private:
    std::map<std::string, std::string> files_;
};

} // namespace vorq::cobol
