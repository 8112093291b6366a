#pragma once

namespace vorq::testing {

// The record that the window tests import: a key and three lines, which with ArrayFields and a
// Threshold of 2 become ORDER_REC and its child table ORDER_REC_LINES.
inline constexpr const char* kOrdersCopybook = "       01  ORDER-REC.\n"
                                               "           05  ORDER-ID    PIC 9(6).\n"
                                               "           05  LINES       OCCURS 3 TIMES.\n"
                                               "               10  ITEM    PIC X(8).\n";

} // namespace vorq::testing
