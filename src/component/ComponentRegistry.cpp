#include "component/ComponentRegistry.h"

#include "host/Error.h"
#include "host/ReplaceFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

namespace vorq {
namespace fs = std::filesystem;

fs::path ComponentRegistry::defaultFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config)
        return fs::path(config) / "vorq" / "components.xml";
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        throw Error("Cannot find the component registry: neither XDG_CONFIG_HOME nor HOME is set");
    return fs::path(home) / ".config" / "vorq" / "components.xml";
}

std::vector<RegistryEntry> ComponentRegistry::entries() const {
    if (!exists())
        throw Error("The component registry " + file_.string() +
                    " does not exist; register the component with `vorq register`");
    return readOrEmpty();
}

std::vector<RegistryEntry> ComponentRegistry::readOrEmpty() const {
    if (!exists())
        return {};
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_file(file_.c_str(), pugi::parse_default | pugi::parse_doctype);
    const std::string corrupt = "The component registry " + file_.string() + " is corrupt: ";
    if (!parsed)
        throw Error(corrupt + parsed.description() + " at byte " + std::to_string(parsed.offset));
    // A registry is plain XML: a DOCTYPE could declare entities, which no registry needs.
    for (const pugi::xml_node node : doc.children())
        if (node.type() == pugi::node_doctype)
            throw Error(corrupt + "it has a DOCTYPE declaration");
    const pugi::xml_node root = doc.child("components");
    if (!root)
        throw Error(corrupt + "it has no <components> element");
    std::vector<RegistryEntry> result;
    for (const pugi::xml_node node : root.children("component")) {
        RegistryEntry e{node.attribute("progid").value(), node.attribute("clsid").value(),
                        node.attribute("libid").value(), node.attribute("iid").value(),
                        node.attribute("library").value()};
        if (e.progId.empty() || e.classId.empty() || e.libraryId.empty() || e.interfaceId.empty() ||
            e.library.empty())
            throw Error(corrupt + "an entry lacks one of progid, clsid, libid, iid, library");
        result.push_back(std::move(e));
    }
    return result;
}

RegistryEntry ComponentRegistry::find(const std::string& progId) const {
    for (auto& entry : entries())
        if (entry.progId == progId)
            return entry;
    throw Error("The class " + progId + " is not registered in " + file_.string() +
                "; register it with `vorq register`");
}

void ComponentRegistry::add(const RegistryEntry& entry) {
    auto all = readOrEmpty();
    std::erase_if(all, [&](const RegistryEntry& e) { return e.progId == entry.progId; });
    all.push_back(entry);
    write(all);
}

bool ComponentRegistry::remove(const std::string& progId) {
    auto all = entries();
    const auto removed =
        std::erase_if(all, [&](const RegistryEntry& e) { return e.progId == progId; });
    if (removed > 0)
        write(all);
    return removed > 0;
}

void ComponentRegistry::write(const std::vector<RegistryEntry>& entries) const {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("components");
    for (const auto& e : entries) {
        pugi::xml_node node = root.append_child("component");
        node.append_attribute("progid") = e.progId.c_str();
        node.append_attribute("clsid") = e.classId.c_str();
        node.append_attribute("libid") = e.libraryId.c_str();
        node.append_attribute("iid") = e.interfaceId.c_str();
        node.append_attribute("library") = e.library.c_str();
    }
    std::ostringstream text;
    doc.save(text, "  ");
    replaceFile(file_, text.str(), "the component registry");
}

} // namespace vorq
