#pragma once

#include <string_view>

namespace vorq::schematool {

// What a COBOL PICTURE string says about the data it describes.
struct PictureSummary {
    enum class Category { None, Alphanumeric, Alphabetic, National, Dbcs, Numeric, Edited };
    Category category = Category::None;
    bool isSigned = false; // S in a numeric picture
    int digits = 0;        // 9 positions (numeric)
    int fraction = 0;      // 9 positions after V (numeric)
    int displayLength = 0; // character positions when displayed
};

// Reads a picture string such as "S9(5)V99", "X(10)", "ZZ,ZZ9.99CR" or "N(4)"; an empty or
// unreadable string gives Category::None.
PictureSummary summarisePicture(std::string_view picture);

} // namespace vorq::schematool
