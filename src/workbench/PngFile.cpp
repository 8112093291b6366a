#include "workbench/PngFile.h"

#include "host/Error.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace vorq::workbench {
namespace {

std::uint32_t crc32(const std::string& data) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xffffffffu;
    for (unsigned char byte : data)
        c = table[(c ^ byte) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xff));
}

void chunk(std::string& png, const char* type, const std::string& data) {
    put32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type) + data;
    png += typed;
    put32(png, crc32(typed));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string zlibStored(const std::string& raw) {
    std::string out = "\x78\x01";
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        const bool last = at + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<char>(n & 0xff));
        out.push_back(static_cast<char>(n >> 8));
        out.push_back(static_cast<char>(~n & 0xff));
        out.push_back(static_cast<char>((~n >> 8) & 0xff));
        out += raw.substr(at, n);
        at += n;
    } while (at < raw.size());
    put32(out, (b << 16) | a);
    return out;
}

} // namespace

std::string encodePng(const Picture& picture) {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    put32(header, static_cast<std::uint32_t>(picture.width));
    put32(header, static_cast<std::uint32_t>(picture.height));
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA, no interlace
    chunk(png, "IHDR", header);
    std::string raw;
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back('\0'); // no filter
        for (int x = 0; x < picture.width; ++x)
            put32(raw, picture.rgba.at(picture.at(x, y)));
    }
    chunk(png, "IDAT", zlibStored(raw));
    chunk(png, "IEND", "");
    return png;
}

void writePng(const Picture& picture, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    const std::string bytes = encodePng(picture);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw Error("Cannot write the icon " + path.string());
}

} // namespace vorq::workbench
