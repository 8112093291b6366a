#include "workbench/ClassIconFiles.h"

#include "workbench/PngFile.h"

#include <array>
#include <string_view>

namespace vorq::workbench {
namespace {

// 16 rows of 16: '#' outline, '+' fill, '-' accent, anything else transparent.
struct Drawing {
    const char* file;
    std::uint32_t fill;
    std::array<std::string_view, 16> rows;
};

constexpr std::uint32_t kOutline = 0x303030ff;
constexpr std::uint32_t kAccent = 0x2060c0ff;

constexpr Drawing kIcons[] = {
    {"copybook.png",
     0xf4e8c0ff,
     {"                ", "  ##########    ", "  #++++++++##   ", "  #+------+#+#  ",
      "  #++++++++####", "  #+------+++#  ", "  #++++++++++#  ", "  #+-------++#  ",
      "  #++++++++++#  ", "  #+-------++#  ", "  #++++++++++#  ", "  #+-------++#  ",
      "  #++++++++++#  ", "  ############  ", "                ", "                "}},
    {"cobol.png",
     0xd8e8f8ff,
     {"                ", " ############## ", " #++++++++++++# ", " #+--+--+--+++# ",
      " #++++++++++++# ", " #+---+--+-+++# ", " #++++++++++++# ", " #+--+---+--++# ",
      " #++++++++++++# ", " #+-+--+--+-++# ", " #++++++++++++# ", " ############## ",
      "                ", "                ", "                ", "                "}},
    {"program.png",
     0xc8f0c8ff,
     {"                ", "   ##########   ", "   #++++++++#   ", "   #+------+#   ",
      "   #++++++++#   ", "   ##########   ", "       ##       ", "   ##########   ",
      "   #++++++++#   ", "   #+--++--+#   ", "   #++++++++#   ", "   ##########   ",
      "                ", "                ", "                ", "                "}},
    {"dataport.png",
     0xf8d0b0ff,
     {"                ", "    ########    ", "  ##++++++++##  ", "  #+++++++++++# ",
      "  ##++++++++##  ", "  #-########-#  ", "  #++++++++++#  ", "  #++++++++++#  ",
      "  #-########-#  ", "  #++++++++++#  ", "  #++++++++++#  ", "  ##++++++++##  ",
      "    ########    ", "                ", "                ", "                "}},
    {"decl.png",
     0xffffffff,
     {"                ", "                ", "  ############  ", "  #++++++++++#  ",
      "  #+--------+#  ", "  #++++++++++#  ", "  ############  ", "                ",
      "                ", "                ", "                ", "                ",
      "                ", "                ", "                ", "                "}},
};

Picture draw(const Drawing& drawing) {
    Picture picture;
    picture.width = picture.height = 16;
    for (std::string_view row : drawing.rows)
        for (std::size_t x = 0; x < 16; ++x) {
            const char c = x < row.size() ? row[x] : ' ';
            picture.rgba.push_back(c == '#'   ? kOutline
                                   : c == '+' ? drawing.fill
                                   : c == '-' ? kAccent
                                              : 0u);
        }
    return picture;
}

} // namespace

void ensureClassIcons(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const Drawing& icon : kIcons)
        if (!std::filesystem::exists(folder / icon.file))
            writePng(draw(icon), folder / icon.file);
}

} // namespace vorq::workbench
