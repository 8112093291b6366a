#include "load/CodePage.h"

#include "host/Error.h"
#include "host/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace vorq::load {
namespace {

// "CP037", "ibm-037", "IBM037" and "037" name the same page; "utf8" is "utf-8".
std::string canonical(std::string_view name) {
    std::string n = lowerCase(std::string(name));
    for (const char* prefix : {"cp", "ibm-", "ibm"})
        if (n.starts_with(prefix) && n.size() > std::string_view(prefix).size() &&
            isAsciiDigit(n[std::string_view(prefix).size()])) {
            n.erase(0, std::string_view(prefix).size());
            break;
        }
    if (n == "utf8")
        return "utf-8";
    if (n == "iso-8859-1" || n == "iso8859-1")
        return "latin1";
    if (n == "us-ascii")
        return "ascii";
    if (std::all_of(n.begin(), n.end(), isAsciiDigit)) {
        while (n.size() > 3 && n[0] == '0')
            n.erase(0, 1);
        while (n.size() < 3)
            n.insert(0, "0");
    }
    return n;
}

bool isNumber(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), isAsciiDigit);
}

// The names that the system's converter may know a page by, most usual first.
std::vector<std::string> converterNames(const std::string& canonicalName) {
    if (canonicalName == "ascii")
        return {"ASCII"};
    if (canonicalName == "latin1")
        return {"ISO-8859-1"};
    if (!isNumber(canonicalName))
        return {upperCase(canonicalName)};
    const std::string bare = canonicalName.substr(canonicalName.find_first_not_of('0'));
    return {"IBM" + canonicalName, "IBM-" + bare, "IBM" + bare, "CP" + bare};
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

namespace {

// The converter of the first name that the system knows the page by, with that name; none
// when it knows none.
std::pair<IconvHandle, std::string> openFirst(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const iconv_t cd = iconv_open("UTF-8", name.c_str());
        if (cd != reinterpret_cast<iconv_t>(-1))
            return {IconvHandle(cd), name};
    }
    return {IconvHandle(nullptr), ""};
}

// The page's character of one byte: whether the byte is a blank in it.
bool isBlank(void* cd, char byte) {
    std::string utf8;
    return convert(cd, std::string_view(&byte, 1), utf8) && utf8 == " ";
}

} // namespace

std::vector<std::string> CodePage::ebcdicPages() {
    std::vector<std::string> pages;
    char name[16];
    for (int n = 1; n < 2000; ++n) {
        std::snprintf(name, sizeof name, "%03d", n);
        const auto [cd, known] = openFirst(converterNames(name));
        if (cd && isBlank(cd.get(), '\x40'))
            pages.push_back(std::string("cp") + name);
    }
    return pages;
}

CodePage::CodePage(std::string_view name) {
    const std::string wanted = canonical(name);
    name_ = isNumber(wanted) ? "cp" + wanted : wanted;
    if (wanted == "utf-8") {
        for (int b = 0; b < 0x80; ++b)
            characters_[b] = {{static_cast<char>(b)}, 1};
        return;
    }
    auto [cd, known] = openFirst(converterNames(wanted));
    if (!cd)
        throw NameError("'" + std::string(name) +
                        "' is no encoding that vorq knows: the system's converter (iconv) has no "
                        "such page (`vorq encodings` lists the EBCDIC pages it has; ascii, latin1, "
                        "cp1252 and utf-8 name the others)");
    iconvName_ = known;
    ebcdic_ = isBlank(cd.get(), '\x40');
    if (!ebcdic_ && !isBlank(cd.get(), '\x20'))
        throw Error("'" + std::string(name) + "' (" + known +
                    ") is no EBCDIC and no ASCII-based single-byte page: vorq cannot tell a "
                    "blank in it");
    for (int b = 0; b < 256; ++b) {
        std::string utf8;
        const char byte = static_cast<char>(b);
        if (convert(cd.get(), std::string_view(&byte, 1), utf8) && !utf8.empty() &&
            utf8.size() <= 3) {
            Character& c = characters_[b];
            std::copy(utf8.begin(), utf8.end(), c.bytes);
            c.size = static_cast<std::uint8_t>(utf8.size());
        } else if (!ebcdic_ && errno == EINVAL) {
            // A byte that begins a character of several: the page is no single-byte one.
            throw Error("'" + std::string(name) + "' (" + known +
                        ") is a multi-byte encoding: vorq reads text as single bytes of a page, "
                        "or as utf-8");
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
