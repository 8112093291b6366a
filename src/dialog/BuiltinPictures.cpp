#include "dialog/BuiltinPictures.h"

#include "host/ui/PixelArt.h"

namespace vorq {
namespace {

// Dark grey ink on pale yellow.
constexpr PixelPalette kPalette{0x404040ff, 0xf0d890ff, 0x404040ff};

constexpr PixelRows kItem = {
    "                ", "                ", "                ", "   ##########   ",
    "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ",
    "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ", "   #++++++++#   ",
    "   ##########   ", "                ", "                ", "                "};
constexpr PixelRows kItems = {
    "                ", " ##########     ",  " #++++++++#     ", " #+##########   ",
    " #+#++++++++#   ", " #+#+##########  ", " ###+#++++++++# ", "   #+#++++++++# ",
    "   ###++++++++# ", "     #++++++++# ",  "     #++++++++# ", "     #++++++++# ",
    "     ########## ", "                ",  "                ", "                "};
constexpr PixelRows kKey = {
    "                ", "                ",  "   ####         ", "  #++++#        ",
    " #++##++#       ", " #+#  #+#########", " #+#  #++++++++#", " #++##++###+##+#",
    "  #++++#  #+##+#", "   ####   ####  ",  "                ", "                ",
    "                ", "                ",  "                ", "                "};
constexpr PixelRows kType = {
    "                ", "                ", "  ############  ", "  #++++++++++#  ",
    "  ####++++####  ", "     #++++#     ", "     #++++#     ", "     #++++#     ",
    "     #++++#     ", "     #++++#     ", "     #++++#     ", "     #++++#     ",
    "     ######     ", "                ", "                ", "                "};

std::shared_ptr<const Picture> draw(const PixelRows& rows) {
    return std::make_shared<Picture>(pixelArt(rows, kPalette));
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
