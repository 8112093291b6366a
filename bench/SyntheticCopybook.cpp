#include "SyntheticCopybook.h"

#include <fmt/core.h>

namespace vorq::bench {
namespace {

// One record: a key, then groups of four kinds in turn, until the record holds ~200 items.
std::size_t record(std::string& out, std::size_t number, std::size_t budget) {
    std::size_t items = 0;
    const auto line = [&](int level, const std::string& text) {
        out += fmt::format("           {:>{}}{:02} {}\n", "", (level / 5) * 2, level, text);
        ++items;
    };
    line(1, fmt::format("REC-{:06}.", number));
    line(5, fmt::format("R{:06}-KEY PIC 9(9).", number));
    for (std::size_t g = 0; items + 8 <= budget && g < 25; ++g) {
        const std::string p = fmt::format("R{:06}G{:02}", number, g);
        switch (g % 4) {
        case 0:
            line(5, p + "-GRP.");
            line(10, p + "-NAME PIC X(20).");
            line(10, p + "-AMT PIC S9(7)V99 COMP-3.");
            line(10, p + "-CNT PIC S9(4) COMP.");
            break;
        case 1:
            line(5, p + "-TAB OCCURS 3 TIMES.");
            line(10, p + "-CODE PIC XX.");
            line(10, p + "-VAL PIC S9(5)V99 COMP-3.");
            break;
        case 2:
            line(5, p + "-DATE PIC 9(8).");
            line(5, p + "-DATE-X REDEFINES " + p + "-DATE.");
            line(10, p + "-YY PIC 9(4).");
            line(10, p + "-MM PIC 99.");
            line(10, p + "-DD PIC 99.");
            break;
        default:
            line(5, p + "-HIST OCCURS 12 TIMES.");
            line(10, p + "-LINE.");
            line(15, p + "-QTY PIC S9(7) COMP-3.");
            line(15, p + "-TXT PIC X(12).");
            break;
        }
    }
    return items;
}

} // namespace

std::string syntheticCopybook(std::size_t items) {
    std::string out;
    out.reserve(items * 48);
    for (std::size_t made = 0, number = 1; made < items; ++number)
        made += record(out, number, std::min<std::size_t>(items - made, 200));
    return out;
}

std::string syntheticProgram(std::size_t items) {
    return "       IDENTIFICATION DIVISION.\n       PROGRAM-ID. SYNTH.\n"
           "       DATA DIVISION.\n       WORKING-STORAGE SECTION.\n" +
           syntheticCopybook(items) + "       PROCEDURE DIVISION.\n           STOP RUN.\n";
}

} // namespace vorq::bench
