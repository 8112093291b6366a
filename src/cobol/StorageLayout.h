#pragma once

#include "cobol/DataItem.h"

#include <memory>
#include <vector>

namespace vorq::cobol {

// What a picture string says for storage: positions by kind, and whether it is plain numeric.
struct PictureCounts {
    int positions = 0;     // character positions when displayed (S and V excluded)
    int digits = 0;        // 9 positions
    int fraction = 0;      // digit and scaling positions after the point
    int scaling = 0;       // P positions
    bool isSigned = false; // S
    bool numeric = false;  // only 9, S, V, P
    bool national = false; // N
    bool dbcs = false;     // G
    bool valid = true;
    bool tooLong = false; // more positions than kMaxPicturePositions
};

// The largest picture and record that the layout accepts, in positions and bytes: a COBOL
// compiler takes no item of more than 999,999,999 bytes, and nothing longer can be laid out
// without overflow.
constexpr std::int64_t kMaxPicturePositions = 999'999'999;
constexpr std::int64_t kMaxRecordLength = 999'999'999;

PictureCounts countPicture(const std::string& picture);

// Resolves REDEFINES, RENAMES and inherited usages and computes every item's digits, length
// (one occurrence, bytes) and offset (from the start of its record), by IBM Enterprise COBOL
// rules: binary 2/4/8 bytes by digits, packed (digits + 1) / 2 rounded up, national two bytes a
// position, SIGN SEPARATE one more, groups the extent of their parts, SYNC on binary and
// floating items aligned within the record. records are the level 01/77 items of one section,
// in order, since an 01 may redefine the record before it.
void computeLayout(std::vector<std::unique_ptr<DataItem>>& records, Diagnostics& diags);

} // namespace vorq::cobol
