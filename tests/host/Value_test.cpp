#include "host/Error.h"
#include "host/Value.h"

#include <gtest/gtest.h>

namespace vorq {
namespace {

TEST(Value, TextBecomesANumberAsWritten) {
    EXPECT_EQ(Value(" 42\t").toInt64(), 42);
    EXPECT_EQ(Value("-0").toInt64(), 0);
    EXPECT_EQ(Value("9007199254740993").toInt64(), 9007199254740993); // past a double's 2^53
    EXPECT_EQ(Value("12.5").toInt64(), 12); // halves go to the even neighbour
    EXPECT_EQ(Value("13.5").toInt64(), 14);
    EXPECT_EQ(Value("1e3").toLong(), 1000);
    EXPECT_THROW(Value("9223372036854775808").toInt64(), Error);
    EXPECT_THROW(Value("3000000000").toLong(), Error);
    EXPECT_THROW(Value("12 monkeys").toInt64(), Error);
    EXPECT_THROW(Value("").toInt64(), Error);
    EXPECT_THROW(Value().toInt64(), Error);
}

} // namespace
} // namespace vorq
