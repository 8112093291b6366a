#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorq::load {

// The character set of a data file: an EBCDIC code page, ASCII or UTF-8. Single bytes are
// turned into UTF-8 through a table that the system's converter (iconv) fills once; national
// (UTF-16BE) and double-byte (PIC G) fields go through the converter itself. One page may be
// used by several threads at once.
class CodePage {
public:
    // Any page that the system's converter knows, by the names users write: "cp1047",
    // "IBM-1047", "1047", "ascii", "latin1", "utf-8", ...; an unknown or multi-byte one raises
    // vorq::Error.
    explicit CodePage(std::string_view name);

    const std::string& name() const { return name_; }
    bool isEbcdic() const { return ebcdic_; }
    // The byte of a blank, of "+" and of "-".
    std::uint8_t space() const { return ebcdic_ ? 0x40 : 0x20; }
    std::uint8_t plus() const { return ebcdic_ ? 0x4E : 0x2B; }
    std::uint8_t minus() const { return ebcdic_ ? 0x60 : 0x2D; }

    // Appends the UTF-8 of single-byte text; false when a byte has no character in the page
    // (it becomes U+FFFD).
    bool appendText(std::string_view bytes, std::string& out) const;
    // Appends the UTF-8 of UTF-16BE text, or of double-byte text of the page (PIC G, written
    // without shift-out and shift-in); false when the bytes are not valid.
    bool appendNational(std::string_view bytes, std::string& out) const;
    bool appendDoubleByte(std::string_view bytes, std::string& out) const;

    // The single-byte (and double-byte) EBCDIC pages that the system's converter has, as
    // "cp037", "cp1047", ...
    static std::vector<std::string> ebcdicPages();

private:
    struct Character {
        char bytes[3];
        std::uint8_t size; // 0: not a character of the page
    };

    std::string name_;
    std::string iconvName_; // "" for UTF-8, which is copied as it is
    bool ebcdic_ = false;
    std::array<Character, 256> characters_{};
};

} // namespace vorq::load
