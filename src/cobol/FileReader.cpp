#include "cobol/FileReader.h"

#include <filesystem>
#include <fstream>

namespace vorq::cobol {

std::optional<std::string> DiskFileReader::read(const std::string& path) const {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // Read in one piece at the size the file has: through a string stream the text was
    // copied and moved again as it grew, a tenth of verify's time on a large program.
    std::string text;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec)
        text.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return text;
}

std::optional<std::string> MemoryFileReader::read(const std::string& path) const {
    const auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return it->second;
}

} // namespace vorq::cobol
