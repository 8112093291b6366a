#include "schematool/OptionsFile.h"

#include "host/Error.h"
#include "host/ReplaceFile.h"
#include "host/Text.h"
#include "host/Value.h"
#include "schematool/SqlIdentifiers.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace vorq::schematool {
namespace {

constexpr const char* kDefaults = R"xml(<?xml version="1.0"?>
<OPTIONS>
  <LIST NAME="VorqOptions">
    <CASE NAME="ImportOptions">
      <LIST NAME="Import">
        <CASE NAME="Copybooks">
          <BOOL NAME="Strip" VALUE="False"/>
          <STRINGS NAME="Prefixes"/>
          <BOOL NAME="AutoKey" VALUE="False"/>
          <STRINGS NAME="Patterns"/>
          <BOOL NAME="ArrayFields" VALUE="False"/>
          <NUMBER NAME="Threshold" VALUE="0"/>
        </CASE>
      </LIST>
    </CASE>
  </LIST>
  <LIST NAME="SchemaTool">
    <NUMBER NAME="IdentifierLimit" VALUE="128"/>
  </LIST>
</OPTIONS>
)xml";

const char* kImportPath = "//LIST[@NAME='VorqOptions']/CASE[@NAME='ImportOptions']"
                          "/LIST[@NAME='Import']/CASE[@NAME='Copybooks']";

struct SettingKind {
    const char* name;
    const char* element;
    bool importOption;
};
constexpr SettingKind kSettings[] = {
    {"Strip", "BOOL", true},
    {"Prefixes", "STRINGS", true},
    {"AutoKey", "BOOL", true},
    {"Patterns", "STRINGS", true},
    {"ArrayFields", "BOOL", true},
    {"Threshold", "NUMBER", true},
    {"IdentifierLimit", "NUMBER", false},
};

const SettingKind& kindOf(const std::string& name) {
    for (const auto& kind : kSettings)
        if (name == kind.name)
            return kind;
    std::string known;
    for (const auto& kind : kSettings)
        known += std::string(known.empty() ? "" : ", ") + kind.name;
    throw Error("Unknown option " + name + " (the options are " + known + ")");
}

// The settings' values by the rules the import reads them with: a Boolean is True, False or a
// number, a number is rounded half to even to a 32-bit whole number. Returns the text stored.
std::string checkedValue(const SettingKind& kind, const std::string& value) {
    const std::string name = kind.name;
    if (std::string_view(kind.element) == "BOOL") {
        try {
            return toBoolean(value) ? "True" : "False";
        } catch (const Error&) {
            throw Error(name + " takes True or False, not " + value);
        }
    }
    std::int32_t number = 0;
    try {
        number = Value(value).toLong();
    } catch (const Error&) {
        throw Error(name + " takes a whole number, not " + value);
    }
    if (name == "IdentifierLimit" && (number < 18 || number > kDefaultIdentifierLimit))
        throw Error("IdentifierLimit takes a whole number from 18 to " +
                    std::to_string(kDefaultIdentifierLimit) + ", not " + value);
    return std::to_string(number);
}

// The line of a byte offset in a file's text, from 1.
std::size_t lineOf(const std::string& text, std::ptrdiff_t offset) {
    const auto end = text.begin() + std::clamp<std::ptrdiff_t>(
                                        offset, 0, static_cast<std::ptrdiff_t>(text.size()));
    return static_cast<std::size_t>(std::count(text.begin(), end, '\n')) + 1;
}

} // namespace

OptionsFile::OptionsFile(std::filesystem::path path) : path_(std::move(path)) {
    if (std::filesystem::is_directory(path_))
        throw Error("The options file " + path_.string() + " is a folder, not a file");
    if (!std::filesystem::exists(path_)) {
        document_.load_string(kDefaults);
        save();
        return;
    }
    std::ifstream in(path_, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof())
        throw Error("Cannot read the options file " + path_.string());
    const auto parsed =
        document_.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_doctype);
    if (!parsed)
        throw Error(path_.string() + ":" + std::to_string(lineOf(text, parsed.offset)) +
                    ": the options file is not readable XML: " + parsed.description());
    // Options are plain XML: a DOCTYPE could declare entities, which no options file needs.
    for (const pugi::xml_node node : document_.children())
        if (node.type() == pugi::node_doctype)
            throw Error(path_.string() + ":" + std::to_string(lineOf(text, node.offset_debug())) +
                        ": the options file has a DOCTYPE declaration, which it may not");
    // A value the user wrote that the import could not read is named now, with its line.
    for (const auto& kind : kSettings) {
        const pugi::xml_node node = settingNode(kind.name);
        if (!node || std::string_view(kind.element) == "STRINGS" || !node.attribute("VALUE"))
            continue;
        try {
            checkedValue(kind, node.attribute("VALUE").value());
        } catch (const Error& e) {
            throw Error(path_.string() + ":" + std::to_string(lineOf(text, node.offset_debug())) +
                        ": " + e.description());
        }
    }
}

Value OptionsFile::EditOptions(std::string&, Window& owner, std::string&, float&, float&, Value&) {
    if (editor_) {
        editor_(*this, owner);
        return {};
    }
    throw Error("This host has no options editor; change the import options with `vorq options "
                "set` (file " +
                path_.string() + ")");
}

void OptionsFile::save() const {
    std::ostringstream text;
    document_.save(text, "  ");
    replaceFile(path_, text.str(), "the options file");
}

void OptionsFile::setAll(
    const std::vector<std::pair<std::string, std::vector<std::string>>>& settings) {
    pugi::xml_document before;
    before.reset(document_);
    try {
        for (const auto& [name, values] : settings)
            set(name, values);
        save();
    } catch (const std::exception&) {
        document_.reset(before);
        identifierLimit_.reset();
        throw;
    }
}

std::vector<std::string> OptionsFile::values(const std::string& name) const {
    const pugi::xml_node node = settingNode(name);
    if (std::string_view(node.name()) != "STRINGS")
        return {node.attribute("VALUE").value()};
    std::vector<std::string> out;
    for (const pugi::xml_node child : node.children())
        out.emplace_back(child.attribute("VALUE").value());
    return out;
}

const std::vector<std::string>& OptionsFile::settingNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const auto& kind : kSettings)
            result.emplace_back(kind.name);
        return result;
    }();
    return names;
}

pugi::xml_node OptionsFile::importNode() const {
    return document_.select_node(kImportPath).node();
}

pugi::xml_node OptionsFile::settingNode(const std::string& name) const {
    const SettingKind& kind = kindOf(name);
    const pugi::xml_node parent = kind.importOption
                                      ? importNode()
                                      : document_.select_node("//LIST[@NAME='SchemaTool']").node();
    return parent.find_child_by_attribute(kind.element, "NAME", kind.name);
}

std::string OptionsFile::show(const std::string& name) const {
    const pugi::xml_node node = settingNode(name);
    if (std::string(kindOf(name).element) != "STRINGS")
        return node.attribute("VALUE").value();
    std::string joined;
    for (const pugi::xml_node child : node.children())
        joined += (joined.empty() ? "" : ", ") + std::string(child.attribute("VALUE").value());
    return joined;
}

void OptionsFile::set(const std::string& name, const std::vector<std::string>& values) {
    identifierLimit_.reset();
    const SettingKind& kind = kindOf(name);
    const std::string element = kind.element;
    if (element != "STRINGS" && values.size() != 1)
        throw Error(name + " takes exactly one value");
    const std::string text = element == "STRINGS" ? "" : checkedValue(kind, values[0]);

    pugi::xml_node parent = kind.importOption
                                ? importNode()
                                : document_.select_node("//LIST[@NAME='SchemaTool']").node();
    if (!parent && kind.importOption)
        throw Error("The options file " + path_.string() + " lacks the import options node " +
                    kImportPath);
    if (!parent) {
        pugi::xml_node root = document_.document_element();
        if (!root)
            root = document_.append_child("OPTIONS");
        parent = root.append_child("LIST");
        parent.append_attribute("NAME") = "SchemaTool";
    }
    pugi::xml_node node = parent.find_child_by_attribute(kind.element, "NAME", kind.name);
    if (!node) {
        node = parent.append_child(kind.element);
        node.append_attribute("NAME") = kind.name;
    }
    if (element == "STRINGS") {
        while (node.first_child())
            node.remove_child(node.first_child());
        for (const auto& value : values)
            node.append_child("STRING").append_attribute("VALUE") = value.c_str();
    } else {
        if (!node.attribute("VALUE"))
            node.append_attribute("VALUE");
        node.attribute("VALUE") = text.c_str();
    }
}

int OptionsFile::identifierLimit() const {
    if (identifierLimit_)
        return *identifierLimit_;
    // Checked when the file was read and when it was set.
    const pugi::xml_attribute value = settingNode("IdentifierLimit").attribute("VALUE");
    identifierLimit_ = value ? Value(std::string(value.value())).toLong() : kDefaultIdentifierLimit;
    return *identifierLimit_;
}

} // namespace vorq::schematool
