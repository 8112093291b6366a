#include "workbench/ClassIconFiles.h"

#include "host/ui/PixelArt.h"
#include "workbench/PngFile.h"

#include <array>
#include <string_view>

namespace vorq::workbench {
namespace {

struct Drawing {
    const char* file;
    std::uint32_t fill;
    PixelRows rows;
};

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

} // namespace

void ensureClassIcons(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const Drawing& icon : kIcons)
        if (!std::filesystem::exists(folder / icon.file))
            writePng(pixelArt(icon.rows, {.fill = icon.fill}), folder / icon.file);
}

} // namespace vorq::workbench
