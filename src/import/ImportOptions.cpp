// The six import options, read from the host's options project at the start of every run,
// and the two rules that apply the name settings.

#include "builder/ItemRecord.h"
#include "dialog/frmImport.h"
#include "host/HostLibraries.h"
#include "host/Value.h"
#include "import/KeyPattern.h"

#include <cctype>

namespace vorq {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A Boolean "VALUE": missing or unreadable counts as False.
bool booleanValue(const pugi::xml_node& element) {
    const pugi::xml_attribute value = element.attribute("VALUE");
    if (!value)
        return false;
    try {
        return toBoolean(value.value());
    } catch (const std::exception&) {
        return false;
    }
}

// A whole number "VALUE", halves rounded to the even neighbour; missing or unreadable is 0.
std::int32_t numberValue(const pugi::xml_node& element) {
    try {
        return Value(std::string(element.attribute("VALUE").value())).toLong();
    } catch (const std::exception&) {
        return 0;
    }
}

std::vector<std::string> strings(const pugi::xml_node& element) {
    std::vector<std::string> values;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element)
            values.push_back(trimmed(child.attribute("VALUE").value()));
    return values;
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

void frmImport::ReadOptions(bool& AutoKey) {
    // A missing element selects the null node, whose reads give the defaults above.
    const pugi::xml_node options =
        OptionsProject->OptionsXml().select_node(OptionsPath.c_str()).node();
    const bool strip = booleanValue(options.select_node("./BOOL[@NAME='Strip']").node());
    Prefixes.clear();
    if (strip)
        Prefixes = strings(options.select_node("./STRINGS[@NAME='Prefixes']").node());
    Patterns.clear();
    const pugi::xml_node autoKey = options.select_node("./BOOL[@NAME='AutoKey']").node();
    AutoKey = autoKey && booleanValue(autoKey);
    if (AutoKey)
        Patterns = strings(options.select_node("./STRINGS[@NAME='Patterns']").node());
    const bool arrayFields =
        booleanValue(options.select_node("./BOOL[@NAME='ArrayFields']").node());
    Threshold =
        arrayFields ? numberValue(options.select_node("./NUMBER[@NAME='Threshold']").node()) : 0;
}

std::string frmImport::StripPrefix(const std::string& Name) const {
    for (const std::string& prefix : Prefixes) {
        std::string wanted = prefix;
        if (!wanted.empty() && wanted.back() != '-')
            wanted += '-';
        const std::size_t n = wanted.size();
        if (upper(Name.substr(0, n)) == upper(wanted))
            return Name.substr(std::min(n, Name.size()));
    }
    return Name;
}

bool frmImport::MatchesKeyPatterns(const std::string& Name) const {
    for (const std::string& pattern : Patterns)
        if (matchesPattern(Name, pattern))
            return true;
    return false;
}

} // namespace vorq
