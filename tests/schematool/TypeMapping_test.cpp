#include "cobol/StorageLayout.h"
#include "host/TypeCodes.h"
#include "schematool/TypeMapping.h"

#include <gtest/gtest.h>

namespace vorq::schematool {
namespace {

struct Case {
    int length, fraction;
    const char *picture, *usage;
    bool maps;
    int type, precision, scale;
};

TEST(TypeMapping, CobolDescriptionsMapToTheDocumentedTypes) {
    const Case cases[] = {
        {10, 0, "X(10)", "DISPLAY", true, kTypeChar, 10, 0},
        {5, 0, "A(5)", "", true, kTypeChar, 5, 0},
        {0, 0, "ZZ,ZZ9.99CR", "DISPLAY", true, kTypeChar, 11, 0},
        {8, 0, "XXBXXBXX", "DISPLAY", true, kTypeChar, 8, 0},
        {4, 0, "N(4)", "NATIONAL", true, kTypeNChar, 4, 0},
        {3, 0, "G(3)", "DISPLAY-1", true, kTypeNChar, 3, 0},
        {7, 2, "S9(5)V99", "DISPLAY", true, kTypeDecimal, 7, 2},
        {7, 2, "S9(5)V99", "COMP-3", true, kTypeDecimal, 7, 2},
        {9, 0, "9(9)", "PACKED-DECIMAL", true, kTypeDecimal, 9, 0},
        {4, 0, "S9(4)", "COMP", true, kTypeSmallInt, 0, 0},
        {4, 0, "9(4)", "COMP", true, kTypeInteger, 0, 0},
        {4, 0, "S9(4)", "COMP-5", true, kTypeInteger, 0, 0},
        {5, 0, "S9(5)", "BINARY", true, kTypeInteger, 0, 0},
        {9, 0, "S9(9)", "COMPUTATIONAL-4", true, kTypeInteger, 0, 0},
        {9, 0, "9(9)", "COMP-4", true, kTypeBigInt, 0, 0},
        {18, 0, "S9(18)", "COMP", true, kTypeBigInt, 0, 0},
        {18, 0, "9(18)", "COMP-5", true, kTypeDecimal, 20, 0},
        {7, 2, "S9(5)V99", "COMP", true, kTypeDecimal, 7, 2},
        {0, 0, "", "COMP-1", true, kTypeSingle, 0, 0},
        {0, 0, "", "COMP-2", true, kTypeDouble, 0, 0},
        {0, 0, "", "INDEX", true, kTypeInteger, 0, 0},
        {6, 0, "999PPP", "DISPLAY", true, kTypeDecimal, 6, 0},
        {0, 0, "", "POINTER", false, 0, 0, 0},
        {0, 0, "", "BINARY-CHAR UNSIGNED", true, kTypeSmallInt, 0, 0},
        {0, 0, "", "BINARY-SHORT", true, kTypeSmallInt, 0, 0},
        {0, 0, "", "BINARY-SHORT UNSIGNED", true, kTypeInteger, 0, 0},
        {0, 0, "", "BINARY-LONG", true, kTypeInteger, 0, 0},
        {0, 0, "", "BINARY-LONG UNSIGNED", true, kTypeBigInt, 0, 0},
        {0, 0, "", "BINARY-DOUBLE", true, kTypeBigInt, 0, 0},
        {0, 0, "", "BINARY-C-LONG UNSIGNED", true, kTypeDecimal, 20, 0},
        {0, 0, "", "FLOAT-DECIMAL-34", true, kTypeDouble, 0, 0},
        {0, 0, "", "PROCEDURE-POINTER", false, 0, 0, 0},
        {24, 0, "", "DISPLAY", false, 0, 0, 0}, // a group
        {0, 0, "X(", "DISPLAY", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::int32_t type = -1, precision = -1, scale = -1;
        const bool maps =
            compatibleType(c.length, c.fraction, c.picture, c.usage, type, precision, scale);
        const std::string what = std::string(c.picture) + " " + c.usage;
        EXPECT_EQ(maps, c.maps) << what;
        if (!c.maps) {
            EXPECT_EQ(type, -1) << what << ": nothing is written for an item without a column";
            continue;
        }
        EXPECT_EQ(type, c.type) << what;
        EXPECT_EQ(precision, c.precision) << what;
        EXPECT_EQ(scale, c.scale) << what;
    }
}

TEST(PictureCounts, ReadsRepetitionsSignsAndScaling) {
    const auto s = cobol::countPicture("S9(3)V9(2)");
    EXPECT_TRUE(s.numeric);
    EXPECT_TRUE(s.isSigned);
    EXPECT_EQ(s.digits, 5);
    EXPECT_EQ(s.fraction, 2);
    EXPECT_EQ(cobol::countPicture("PPP99").fraction, 5);
    EXPECT_EQ(cobol::countPicture("$$$,$$9.99").positions, 10);
    EXPECT_FALSE(cobol::countPicture("$$$,$$9.99").numeric);
    EXPECT_FALSE(cobol::countPicture("X(2)Q").valid);
}

} // namespace
} // namespace vorq::schematool
