#pragma once

#include "cobol/SourceFormat.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vorq::cobol {

// Reads source files and COPY members; tests replace the disk with a map.
class FileReader {
public:
    virtual ~FileReader() = default;
    // The file's text, or nothing when there is no such file.
    virtual std::optional<std::string> read(const std::string& path) const = 0;
    // Whether the file, with every symbolic link on its way followed, lies in one of the
    // folders ("" is the current one).
    virtual bool liesIn(const std::string& path, const std::vector<std::string>& folders) const {
        (void)path, (void)folders;
        return true;
    }
};

// Reads a source's text from a stream to its end, but stops after the first line that is
// longer than longestLine (the splitter then names that line), or
// when more than limit bytes have come (then tooLong is set).
std::string readSourceText(std::istream& in, std::size_t sizeHint, std::size_t limit, bool& tooLong,
                           std::size_t longestLine = kMaxLineLength);

class DiskFileReader : public FileReader {
public:
    std::optional<std::string> read(const std::string& path) const override;
    bool liesIn(const std::string& path, const std::vector<std::string>& folders) const override;
};

class MemoryFileReader : public FileReader {
public:
    std::optional<std::string> read(const std::string& path) const override;
    void add(const std::string& path, std::string text) { files_[path] = std::move(text); }

private:
    std::map<std::string, std::string> files_;
};

} // namespace vorq::cobol
