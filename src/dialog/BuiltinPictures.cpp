#include "dialog/BuiltinPictures.h"

#include <array>
#include <string_view>

namespace vorq {
namespace {

constexpr std::uint32_t kInk = 0x404040ff;   // dark grey, opaque
constexpr std::uint32_t kFill = 0xf0d890ff;  // pale yellow, opaque
constexpr std::uint32_t kClear = 0x00000000; // transparent

// 16 rows of 16 characters: '#' ink, '+' fill, anything else transparent.
using Drawing = std::array<std::string_view, 16>;

constexpr Drawing kItem = {
    "                ", "                ", "                ", "   ##########   ",
    "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ",
    "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ",
    "   ##########   ", "                ", "                ", "                "};
constexpr Drawing kItems = {
    "                ", " ##########     ",  " #++++++++#     ", " #+##########   ",
    " #+#++++++++#   ", " #+#+##########  ", " ###+#++++++++# ", "   #+#++++++++# ",
    "   ###++++++++# ", "     #++++++++# ",  "     #++++++++# ", "     #++++++++# ",
    "     ########## ", "                ",  "                ", "                "};
constexpr Drawing kKey = {
    "                ", "                ",  "   ####         ", "  #++++#        ",
    " #++##++#       ", " #+#  #+#########", " #+#  #++++++++#", " #++##++###+##+#",
    "  #++++#  #+##+#", "   ####   ####  ",  "                ", "                ",
    "                ", "                ",  "                ", "                "};
constexpr Drawing kType = {
    "                ", "                ", "  ############  ", "  #++++++++++#  ",
    "  ####++++####  ", "     #++++#     ", "     #++++#     ", "     #++++#     ",
    "     #++++#     ", "     #++++#     ", "     #++++#     ", "     #++++#     ",
    "     ######     ", "                ", "                ", "                "};

std::shared_ptr<const Picture> draw(const Drawing& drawing) {
    auto picture = std::make_shared<Picture>();
    picture->width = picture->height = 16;
    for (std::string_view row : drawing)
        for (std::size_t x = 0; x < 16; ++x) {
            const char c = x < row.size() ? row[x] : ' ';
            picture->rgba.push_back(c == '#' ? kInk : c == '+' ? kFill : kClear);
        }
    return picture;
}

} // namespace

std::shared_ptr<const Picture> builtinPicture(BuiltinPicture which) {
    static const auto item = draw(kItem);
    static const auto items = draw(kItems);
    static const auto key = draw(kKey);
    static const auto type = draw(kType);
    switch (which) {
    case BuiltinPicture::Items:
        return items;
    case BuiltinPicture::Key:
        return key;
    case BuiltinPicture::Type:
        return type;
    case BuiltinPicture::Item:
        break;
    }
    return item;
}

} // namespace vorq
