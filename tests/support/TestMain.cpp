#include <cstdlib>
#include <gtest/gtest.h>

// Every test starts in the English locale, whatever the machine's; tests of other languages
// set it themselves.
int main(int argc, char** argv) {
    setenv("LC_ALL", "C", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
