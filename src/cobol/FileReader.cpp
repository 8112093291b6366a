#include "cobol/FileReader.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorq::cobol {

std::optional<std::string> DiskFileReader::read(const std::string& path) const {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::string> MemoryFileReader::read(const std::string& path) const {
    const auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return it->second;
}

} // namespace vorq::cobol
