#include "schematool/PictureSummary.h"

#include <cctype>
#include <string>

namespace vorq::schematool {

PictureSummary summarisePicture(std::string_view picture) {
    PictureSummary s;
    bool hasX = false, hasA = false, hasN = false, hasG = false, hasNine = false;
    bool hasEditing = false, afterV = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(picture[i])));
        int count = 1;
        if (i + 1 < picture.size() && picture[i + 1] == '(') {
            const std::size_t close = picture.find(')', i + 2);
            if (close == std::string_view::npos)
                return {};
            try {
                count = std::stoi(std::string(picture.substr(i + 2, close - i - 2)));
            } catch (const std::exception&) {
                return {};
            }
            i = close;
        }
        const char next =
            i + 1 < picture.size()
                ? static_cast<char>(std::toupper(static_cast<unsigned char>(picture[i + 1])))
                : '\0';
        switch (c) {
        case '9':
            hasNine = true;
            s.digits += count;
            if (afterV)
                s.fraction += count;
            s.displayLength += count;
            break;
        case 'X':
            hasX = true;
            s.displayLength += count;
            break;
        case 'A':
            hasA = true;
            s.displayLength += count;
            break;
        case 'N':
            hasN = true;
            s.displayLength += count;
            break;
        case 'G':
            hasG = true;
            s.displayLength += count;
            break;
        case 'S':
            s.isSigned = true;
            break;
        case 'V':
            afterV = true;
            break;
        case 'P':
            // Scaling positions: leading ones are places after the point, trailing ones
            // places before it; either way the column must hold them.
            s.digits += count;
            if (!hasNine) {
                s.fraction += count;
                afterV = true;
            }
            break;
        case 'C':
        case 'D':
            if ((c == 'C' && next == 'R') || (c == 'D' && next == 'B')) {
                hasEditing = true;
                s.displayLength += 2;
                ++i;
                break;
            }
            return {};
        case '.':
            afterV = true;
            [[fallthrough]];
        case 'Z':
        case '*':
        case '+':
        case '-':
        case '$':
        case ',':
        case 'B':
        case '0':
        case '/':
        case 'E':
            hasEditing = true;
            s.displayLength += count;
            if (c == 'Z' || c == '*' || ((c == '+' || c == '-' || c == '$') && count > 1)) {
                s.digits += count;
                if (afterV)
                    s.fraction += count;
            }
            break;
        default:
            return {};
        }
    }
    using C = PictureSummary::Category;
    if (hasN)
        s.category = C::National;
    else if (hasG)
        s.category = C::Dbcs;
    else if (hasEditing)
        s.category = C::Edited;
    else if (hasX)
        s.category = C::Alphanumeric;
    else if (hasA)
        s.category = C::Alphabetic;
    else if (hasNine)
        s.category = C::Numeric;
    return s;
}

} // namespace vorq::schematool
