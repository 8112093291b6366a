#include "load/DescriptorFraming.h"

#include <algorithm>
#include <optional>

namespace vorq::load {
namespace {

// Records walked before a framing counts as reading the file: enough that a wrong framing
// meets a word it cannot read.
constexpr int kRecordsWalked = 200;

std::uint32_t twoBytes(const char* p, bool littleEndian) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(p);
    return littleEndian ? (b[1] << 8) | b[0] : (b[0] << 8) | b[1];
}

// Walks descriptor words from the start: the offsets of the records found, or nothing at a
// word that cannot be one. Bytes that stop inside a record are the end of the window read,
// unless they are the whole file.
std::optional<std::vector<std::size_t>> reads(std::string_view bytes, bool whole,
                                              const DescriptorFraming& f) {
    const char* p = bytes.data();
    std::vector<std::size_t> offsets;
    std::size_t at = 0;
    int records = 0;
    while (at < bytes.size() && records < kRecordsWalked) {
        std::size_t end = bytes.size();
        bool blockCut = false;
        if (f.blocks) {
            if (at + 4 > bytes.size())
                return whole || records == 0 ? std::nullopt : std::optional(offsets);
            const std::uint32_t block = f.length(p + at);
            if (!f.otherHalfZero(p + at) || block < 9)
                return std::nullopt;
            end = at + block;
            at += 4;
            if (end > bytes.size()) {
                if (whole)
                    return std::nullopt;
                end = bytes.size();
                blockCut = true;
            }
        }
        while (at < end && records < kRecordsWalked) {
            const bool windowEnds = !whole && (blockCut || !f.blocks) && records > 0;
            if (at + 4 > end)
                return windowEnds ? std::optional(offsets) : std::nullopt;
            const std::uint32_t length = f.length(p + at) + (f.excludesWord ? 4 : 0);
            if (!f.otherHalfZero(p + at) || length < 5)
                return std::nullopt;
            if (at + length > end)
                return windowEnds ? std::optional(offsets) : std::nullopt;
            offsets.push_back(at);
            at += length;
            ++records;
        }
    }
    return records > 0 ? std::optional(offsets) : std::nullopt;
}

} // namespace

std::uint32_t DescriptorFraming::length(const char* word) const {
    return twoBytes(word + (lengthInLastHalf ? 2 : 0), littleEndian);
}

bool DescriptorFraming::otherHalfZero(const char* word) const {
    const char* other = word + (lengthInLastHalf ? 0 : 2);
    return other[0] == 0 && other[1] == 0;
}

std::string DescriptorFraming::describe() const {
    std::string text = littleEndian ? "little-endian" : "big-endian";
    text += lengthInLastHalf ? " lengths in the words' last two bytes" : " lengths";
    text += excludesWord ? " of the data alone" : " that count their word";
    if (blocks)
        text += ", in blocks";
    return text;
}

std::vector<DescriptorFraming> framingsThatRead(std::string_view first, bool whole) {
    std::vector<DescriptorFraming> reading;
    std::vector<std::vector<std::size_t>> places;
    for (const bool blocks : {false, true})
        for (const bool excludesWord : {false, true})
            for (const bool lastHalf : {false, true})
                for (const bool little : {false, true}) {
                    const DescriptorFraming f{little, lastHalf, excludesWord, blocks};
                    // A reading that puts every record where an earlier one does is the same.
                    if (auto offsets = reads(first, whole, f);
                        offsets &&
                        std::find(places.begin(), places.end(), *offsets) == places.end()) {
                        reading.push_back(f);
                        places.push_back(std::move(*offsets));
                    }
                }
    // Blocks read without their words are records of records: where a blocked reading holds,
    // whose every block ends exactly with its last record, it is the file's.
    if (std::any_of(reading.begin(), reading.end(), [](const auto& f) { return f.blocks; }))
        std::erase_if(reading, [](const DescriptorFraming& f) { return !f.blocks; });
    return reading;
}

} // namespace vorq::load
