#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorq::load {

// How the descriptor words of a variable-record file hold their lengths.
struct DescriptorFraming {
    bool littleEndian = false;     // the length's low byte first (PC tools)
    bool lengthInLastHalf = false; // 00 00 LL LL: the length in the word's last two bytes
    bool excludesWord = false;     // the length counts the data only (GnuCOBOL)
    bool blocks = false;           // records grouped in blocks after block descriptor words

    // The length in a 4-byte word, and whether the word's other half is zero as it must be.
    std::uint32_t length(const char* word) const;
    bool otherHalfZero(const char* word) const;
    // "big-endian, the word counted" and so on, for messages and the summary.
    std::string describe() const;
    bool operator==(const DescriptorFraming&) const = default;
};

// The framings under which the first bytes of a file read as a whole chain of descriptor
// words and records (to the end, when whole is true; else to where the bytes stop). The
// mainframe's own framing (big-endian, the word counted, no blocks) comes first when it reads.
std::vector<DescriptorFraming> framingsThatRead(std::string_view first, bool whole);

} // namespace vorq::load
