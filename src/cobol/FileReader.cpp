#include "cobol/FileReader.h"

#include "cobol/SourceFormat.h"

#include <algorithm>
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
    const auto size = std::filesystem::file_size(path, ec);
    bool tooLong = false;
    std::string text = readSourceText(in, ec ? 0 : static_cast<std::size_t>(size),
                                      static_cast<std::size_t>(-1), tooLong);
    if (in.bad())
        return std::nullopt;
    return text;
}

bool DiskFileReader::liesIn(const std::string& path,
                            const std::vector<std::string>& folders) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path real = fs::canonical(path, ec);
    if (ec)
        return false;
    for (const auto& folder : folders) {
        const fs::path root = fs::canonical(folder.empty() ? "." : folder, ec);
        if (ec)
            continue;
        const auto [end, ignored] =
            std::mismatch(root.begin(), root.end(), real.begin(), real.end());
        if (end == root.end())
            return true;
    }
    return false;
}

std::string readSourceText(std::istream& in, std::size_t sizeHint, std::size_t limit, bool& tooLong,
                           std::size_t longestLine) {
    // Read in one piece at the size the file has: through a string stream the text was
    // copied and moved again as it grew, a tenth of verify's time on a large program.
    std::string text;
    text.reserve(std::min(sizeHint, limit));
    std::size_t lineStart = 0;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        if (text.size() + static_cast<std::size_t>(in.gcount()) > limit) {
            tooLong = true;
            return text;
        }
        const std::size_t from = text.size();
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        // Every line that ends in this piece, and the one it leaves open, is measured.
        for (std::size_t at = from;;) {
            const std::size_t newline = text.find('\n', at);
            const std::size_t end = newline == std::string::npos ? text.size() : newline;
            if (end - lineStart > longestLine) {
                text.resize(lineStart + longestLine + 1);
                return text;
            }
            if (newline == std::string::npos)
                break;
            lineStart = at = end + 1;
        }
    }
    return text;
}

std::optional<std::string> MemoryFileReader::read(const std::string& path) const {
    const auto it = files_.find(path);
    if (it == files_.end())
        return std::nullopt;
    return it->second;
}

} // namespace vorq::cobol
