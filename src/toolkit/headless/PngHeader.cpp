#include "toolkit/headless/PngHeader.h"

#include "host/Error.h"

#include <array>
#include <cstring>
#include <fstream>

namespace vorq::headless {
namespace {

int bigEndian32(const unsigned char* p) {
    return static_cast<int>((static_cast<unsigned>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) |
                            p[3]);
}

} // namespace

Picture readPngHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error("File not found: " + path, 53);
    // Signature (8 bytes), then the IHDR chunk: length, type, width, height.
    std::array<unsigned char, 24> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (in.gcount() != static_cast<std::streamsize>(head.size()) ||
        std::memcmp(head.data(), signature, sizeof signature) != 0 ||
        std::memcmp(head.data() + 12, "IHDR", 4) != 0)
        throw Error("Invalid picture: " + path + " is not a PNG image", 481);
    Picture picture;
    picture.width = bigEndian32(head.data() + 16);
    picture.height = bigEndian32(head.data() + 20);
    return picture;
}

} // namespace vorq::headless
