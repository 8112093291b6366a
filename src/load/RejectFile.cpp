#include "load/RejectFile.h"

#include "host/Error.h"

namespace vorq::load {

std::string hexBytes(std::string_view bytes) {
    constexpr std::size_t kShown = 64;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::size_t i = 0; i < bytes.size() && i < kShown; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 0x0F]);
    }
    if (bytes.size() > kShown)
        hex += "...";
    return hex;
}

RejectFile::RejectFile(const std::filesystem::path& path) : path_(path) {
    if (path.empty())
        return;
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_)
        throw Error("Cannot write the reject file " + path.string());
    out_ << kHeader;
}

void RejectFile::add(std::int64_t record, std::int64_t offset, std::string_view column,
                     std::string_view bytes, std::string_view reason) {
    if (!out_.is_open())
        return;
    out_ << record << '\t' << offset << '\t' << column << '\t' << hexBytes(bytes) << '\t' << reason
         << '\n';
}

void RejectFile::close() {
    if (!out_.is_open())
        return;
    out_.close();
    if (!out_)
        throw Error("Cannot write the reject file " + path_.string());
}

} // namespace vorq::load
