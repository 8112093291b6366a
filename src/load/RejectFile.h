#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vorq::load {

// The list of what a load found wrong, one line per bad field or left-out record, tab
// separated: record number, byte offset in the file, column, the bytes in hexadecimal, reason.
class RejectFile {
public:
    // The first line of every reject file.
    static constexpr const char* kHeader = "record\toffset\tcolumn\tbytes\treason\n";

    // An empty path writes nothing.
    explicit RejectFile(const std::filesystem::path& path);

    void add(std::int64_t record, std::int64_t offset, std::string_view column,
             std::string_view bytes, std::string_view reason);
    // Flushes; raises vorq::Error when the file could not be written.
    void close();

private:
    std::filesystem::path path_;
    std::ofstream out_;
};

// The bytes as pairs of hexadecimal digits, the first 64 bytes and "..." for longer ones.
std::string hexBytes(std::string_view bytes);

} // namespace vorq::load
