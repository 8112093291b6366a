#include "import/ImportOptions.h"

#include "host/Error.h"
#include "host/HostLibraries.h"
#include "host/Text.h"
#include "host/Value.h"

namespace vorq::import {
namespace {

// A Boolean "VALUE": missing counts as False; one that is neither is an error naming it, so that
// a setting the user wrote never turns silently into another.
bool booleanValue(const pugi::xml_node& element) {
    const pugi::xml_attribute value = element.attribute("VALUE");
    if (!value)
        return false;
    try {
        return toBoolean(value.value());
    } catch (const Error&) {
        throw Error("The import option " + std::string(element.attribute("NAME").value()) +
                    " is '" + value.value() + "', which is neither True, False nor a number");
    }
}

// A whole number "VALUE", halves rounded to the even neighbour; missing is 0, unreadable an
// error naming it.
std::int32_t numberValue(const pugi::xml_node& element) {
    const pugi::xml_attribute value = element.attribute("VALUE");
    if (!value)
        return 0;
    try {
        return Value(std::string(value.value())).toLong();
    } catch (const Error&) {
        throw Error("The import option " + std::string(element.attribute("NAME").value()) +
                    " is '" + value.value() + "', which is no 32-bit whole number");
    }
}

std::vector<std::string> strings(const pugi::xml_node& element) {
    std::vector<std::string> values;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element)
            values.push_back(trimmed(child.attribute("VALUE").value(), " \t"));
    return values;
}

} // namespace

std::string importOptionsPath() {
    return "//LIST[@NAME='VorqOptions']/CASE[@NAME='ImportOptions']/LIST[@NAME='Import']"
           "/CASE[@NAME='Copybooks']";
}

ImportOptions ReadOptions(OptionsProject& project, const std::string& OptionsPath) {
    // A missing element selects the null node, whose reads give the defaults above.
    const pugi::xml_node node = project.OptionsXml().select_node(OptionsPath.c_str()).node();
    ImportOptions options;
    if (booleanValue(node.select_node("./BOOL[@NAME='Strip']").node()))
        options.build.Prefixes = strings(node.select_node("./STRINGS[@NAME='Prefixes']").node());
    const pugi::xml_node autoKey = node.select_node("./BOOL[@NAME='AutoKey']").node();
    options.AutoKey = autoKey && booleanValue(autoKey);
    if (options.AutoKey)
        options.build.Patterns = strings(node.select_node("./STRINGS[@NAME='Patterns']").node());
    if (booleanValue(node.select_node("./BOOL[@NAME='ArrayFields']").node()))
        options.build.Threshold =
            numberValue(node.select_node("./NUMBER[@NAME='Threshold']").node());
    return options;
}

} // namespace vorq::import
