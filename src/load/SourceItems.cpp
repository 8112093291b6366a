#include "load/SourceItems.h"

#include "host/Error.h"
#include "host/Text.h"
#include "workbench/StoredRepository.h"
#include "workbench/Workbench.h"

#include <charconv>
#include <cstdio>

namespace vorq::load {
namespace {

std::int64_t number(std::string_view text) {
    std::int64_t n = 0;
    std::from_chars(text.data(), text.data() + text.size(), n);
    return n;
}

// Sets the field of the item that an attribute of its object gives.
void setAttribute(SourceItem& item, std::string_view name, std::string_view value) {
    if (name == "Name")
        item.name = value;
    else if (name == "Picture")
        item.picture = value;
    else if (name == "Usage")
        item.usage = value;
    else if (name == "Sign")
        item.sign = value;
    else if (name == "DependingOn")
        item.dependingOn = value;
    else if (name == "Occurs")
        item.occurs = number(value);
    else if (name == "OccursMin")
        item.occursMin = number(value);
    else if (name == "Length")
        item.length = number(value);
    else if (name == "Offset")
        item.offset = number(value);
    else if (name == "Elementary")
        item.elementary = value == "True";
    else if (name == "BlankWhenZero")
        item.blankWhenZero = value == "True";
}

SourceItem itemOf(const workbench::StoredRepository::Object& o) {
    SourceItem item;
    item.id = o.id;
    item.parent = o.parent;
    workbench::StoredRepository::eachAttribute(
        o, [&](std::string_view name, std::string_view value) { setAttribute(item, name, value); });
    return item;
}

} // namespace

SourceItems::SourceItems(std::string sourceName, std::vector<SourceItem> items)
    : sourceName_(std::move(sourceName)), items_(std::move(items)) {}

SourceItems SourceItems::open(workbench::Workbench& workbench, const std::string& sourceKey) {
    std::int64_t key = 0;
    const auto [end, error] =
        std::from_chars(sourceKey.data(), sourceKey.data() + sourceKey.size(), key);
    auto object = error == std::errc() && end == sourceKey.data() + sourceKey.size()
                      ? workbench.catalog().object(key)
                      : std::nullopt;
    // A program's items are in the repository database of the source that defines it.
    if (object && object->xandrel.empty() && !object->sid.empty())
        object = workbench.catalog().object(number(object->sid));
    if (!object || object->xandrel.empty())
        throw Error("The workbench has no verified source with the key " + sourceKey +
                    ": was the repository emptied or made again since the import?");
    auto repository =
        workbench::StoredRepository::load(workbench.folder().database(object->xandrel));
    if (!repository->describesData())
        throw Error("The source " + object->name +
                    " was verified by an older vorq, which did "
                    "not record what decoding needs: verify it again");
    std::vector<SourceItem> items;
    for (int id = 1; const auto* o = repository->object(id); ++id) {
        if (o->cls != "DECL") {
            items.emplace_back();
            continue;
        }
        SourceItem item = itemOf(*o);
        const auto* parent = o->parent ? repository->object(o->parent) : nullptr;
        if (!parent || parent->cls != "DECL")
            item.parent = 0;
        item.children.clear();
        for (const int child : o->children)
            if (repository->object(child)->cls == "DECL")
                item.children.push_back(child);
        items.push_back(std::move(item));
    }
    return SourceItems(object->name, std::move(items));
}

const SourceItem* SourceItems::item(int id) const {
    if (id < 1 || static_cast<std::size_t>(id) > items_.size() || items_[id - 1].id == 0)
        return nullptr;
    return &items_[static_cast<std::size_t>(id - 1)];
}

const SourceItem& SourceItems::record(const SourceItem& item) const {
    const SourceItem* at = &item;
    while (at->parent != 0)
        at = this->item(at->parent);
    return *at;
}

const SourceItem* SourceItems::findBelow(const SourceItem& root, const std::string& name) const {
    for (const int child : root.children) {
        const SourceItem* c = item(child);
        if (equalsKeyword(upperCase(c->name), upperCase(name)))
            return c;
        if (const SourceItem* found = findBelow(*c, name))
            return found;
    }
    return nullptr;
}

namespace {

// FNV-1a, 64 bits: stable across builds and machines, as a digest kept in a project must be.
void mix(std::uint64_t& hash, std::string_view text) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    hash ^= 0xFF; // ends the field, so that "AB","C" and "A","BC" differ
    hash *= 0x100000001b3ULL;
}

void mixItem(const SourceItems& items, const SourceItem& item, std::uint64_t& hash) {
    for (const std::string_view text :
         {std::string_view(item.name), std::string_view(item.picture), std::string_view(item.usage),
          std::string_view(item.sign), std::string_view(item.dependingOn)})
        mix(hash, text);
    for (const std::int64_t n : {std::int64_t{item.id}, std::int64_t{item.parent}, item.occurs,
                                 item.occursMin, item.length, item.offset,
                                 std::int64_t{item.elementary}, std::int64_t{item.blankWhenZero}})
        mix(hash, std::to_string(n));
    for (const int child : item.children)
        mixItem(items, *items.item(child), hash);
}

} // namespace

std::string SourceItems::layoutDigest(const SourceItem& record) const {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    mixItem(*this, record, hash);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("1:") + text;
}

} // namespace vorq::load
