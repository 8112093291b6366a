#include "load/CodePage.h"

#include "cobol/Ascii.h"
#include "host/Error.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>

namespace vorq::load {
namespace {

struct PageName {
    const char* name; // as users write it, without "cp"
    const char* iconvName;
    bool ebcdic;
};

constexpr PageName kPages[] = {
    {"037", "IBM037", true},   {"273", "IBM273", true},   {"277", "IBM277", true},
    {"278", "IBM278", true},   {"280", "IBM280", true},   {"284", "IBM284", true},
    {"285", "IBM285", true},   {"297", "IBM297", true},   {"500", "IBM500", true},
    {"871", "IBM871", true},   {"930", "IBM930", true},   {"939", "IBM939", true},
    {"1140", "IBM1140", true}, {"1141", "IBM1141", true}, {"1142", "IBM1142", true},
    {"1143", "IBM1143", true}, {"1144", "IBM1144", true}, {"1145", "IBM1145", true},
    {"1146", "IBM1146", true}, {"1147", "IBM1147", true}, {"1148", "IBM1148", true},
    {"1149", "IBM1149", true}, {"ascii", "ASCII", false}, {"latin1", "ISO-8859-1", false},
    {"1252", "CP1252", false}, {"utf-8", "", false},
};

// "CP037", "ibm-037", "IBM037" and "037" name the same page; "utf8" is "utf-8".
std::string canonical(std::string_view name) {
    std::string n = cobol::lowerCase(std::string(name));
    for (const char* prefix : {"cp", "ibm-", "ibm"})
        if (n.starts_with(prefix) && n.size() > std::string_view(prefix).size() &&
            cobol::isAsciiDigit(n[std::string_view(prefix).size()])) {
            n.erase(0, std::string_view(prefix).size());
            break;
        }
    if (n == "utf8")
        return "utf-8";
    if (n == "iso-8859-1" || n == "iso8859-1")
        return "latin1";
    if (n == "us-ascii")
        return "ascii";
    while (n.size() > 3 && n[0] == '0')
        n.erase(0, 1);
    if (n.size() == 2 && n == "37")
        return "037";
    return n;
}

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openConverter(const std::string& from, const std::string& pageName) {
    const iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Error("The system's converter has no code page " + from + " (for " + pageName +
                    "): install the glibc converters (gconv)");
    return IconvHandle(cd);
}

// Converts all of in; false when the converter meets bytes that it cannot take.
bool convert(void* cd, std::string_view in, std::string& out) {
    iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    const std::size_t start = out.size();
    out.resize(start + in.size() * 4 + 8);
    char* outPtr = out.data() + start;
    std::size_t outLeft = out.size() - start;
    const std::size_t result = iconv(static_cast<iconv_t>(cd), &inPtr, &inLeft, &outPtr, &outLeft);
    const bool ok = result != static_cast<std::size_t>(-1) &&
                    iconv(static_cast<iconv_t>(cd), nullptr, nullptr, &outPtr, &outLeft) !=
                        static_cast<std::size_t>(-1);
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return ok;
}

constexpr char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

std::string CodePage::knownNames() {
    std::string names;
    for (const PageName& page : kPages) {
        const bool number = cobol::isAsciiDigit(page.name[0]);
        names += (names.empty() ? "" : ", ") + std::string(number ? "cp" : "") + page.name;
    }
    return names;
}

CodePage::CodePage(std::string_view name) {
    const std::string wanted = canonical(name);
    const auto page = std::find_if(std::begin(kPages), std::end(kPages),
                                   [&](const PageName& p) { return wanted == p.name; });
    if (page == std::end(kPages))
        throw Error("'" + std::string(name) + "' is no encoding that vorq knows (it knows " +
                    knownNames() + ")");
    name_ = cobol::isAsciiDigit(page->name[0]) ? std::string("cp") + page->name : page->name;
    iconvName_ = page->iconvName;
    ebcdic_ = page->ebcdic;
    if (iconvName_.empty()) {
        for (int b = 0; b < 0x80; ++b)
            characters_[b] = {{static_cast<char>(b)}, 1};
        return;
    }
    const IconvHandle cd = openConverter(iconvName_, name_);
    for (int b = 0; b < 256; ++b) {
        std::string utf8;
        const char byte = static_cast<char>(b);
        if (convert(cd.get(), std::string_view(&byte, 1), utf8) && !utf8.empty() &&
            utf8.size() <= 3) {
            Character& c = characters_[b];
            std::copy(utf8.begin(), utf8.end(), c.bytes);
            c.size = static_cast<std::uint8_t>(utf8.size());
        }
    }
}

bool CodePage::appendText(std::string_view bytes, std::string& out) const {
    if (iconvName_.empty()) {
        // UTF-8 is taken as written: a field may end inside a character, as COBOL counts bytes.
        out.append(bytes);
        return true;
    }
    bool valid = true;
    for (const char b : bytes) {
        const Character& c = characters_[static_cast<std::uint8_t>(b)];
        if (c.size == 1) {
            out.push_back(c.bytes[0]);
        } else if (c.size != 0) {
            out.append(c.bytes, c.size);
        } else {
            out.append(kReplacement);
            valid = false;
        }
    }
    return valid;
}

bool CodePage::appendNational(std::string_view bytes, std::string& out) const {
    static thread_local IconvHandle utf16 = openConverter("UTF-16BE", "national fields");
    return convert(utf16.get(), bytes, out);
}

bool CodePage::appendDoubleByte(std::string_view bytes, std::string& out) const {
    if (!ebcdic_ || iconvName_.empty())
        return appendNational(bytes, out);
    // The converter keeps state: double-byte text lies between shift-out and shift-in.
    std::string shifted;
    shifted.reserve(bytes.size() + 2);
    shifted.push_back('\x0E');
    shifted.append(bytes);
    shifted.push_back('\x0F');
    // A converter keeps state, so each decoding thread has its own.
    static thread_local std::map<std::string, IconvHandle> converters;
    auto it = converters.find(iconvName_);
    if (it == converters.end())
        it = converters.emplace(iconvName_, openConverter(iconvName_, name_)).first;
    return convert(it->second.get(), shifted, out);
}

} // namespace vorq::load
