#include "workbench/ObjectBlock.h"

#include "host/Error.h"

#include <array>
#include <charconv>

namespace vorq::workbench {
namespace {

// By Attribute's numbers.
constexpr std::array<std::string_view, 23> kAttributeNames = {
    "",          "Name",        "Level",  "Picture", "Usage",        "Occurs",
    "OccursMin", "DependingOn", "Digits", "Length",  "Fraction",     "Offset",
    "Datatype",  "Elementary",  "SysVar", "Value",   "Line",         "Section",
    "AssignTo",  "PORTNAME",    "Verb",   "Sign",    "BlankWhenZero"};
static_assert(kAttributeNames.size() == static_cast<std::size_t>(Attribute::BlankWhenZero) + 1);

} // namespace

void ObjectBlockBuilder::number(std::uint64_t n) {
    char encoded[10];
    std::size_t size = 0;
    for (; n >= 0x80; n >>= 7)
        encoded[size++] = static_cast<char>((n & 0x7f) | 0x80);
    encoded[size++] = static_cast<char>(n);
    bytes_.append(encoded, size);
}

void ObjectBlockBuilder::text(std::string_view s) {
    // Nearly every text is shorter than 128 bytes: one length byte.
    if (s.size() < 0x80)
        bytes_ += static_cast<char>(s.size());
    else
        number(s.size());
    bytes_.append(s);
}

void ObjectBlockBuilder::begin(std::int64_t parent, std::string_view cls,
                               std::string_view displayName) {
    number(static_cast<std::uint64_t>(parent));
    text(cls);
    text(displayName);
}

void ObjectBlockBuilder::attribute(Attribute name, std::string_view value) {
    bytes_ += static_cast<char>(name);
    text(value);
}

void ObjectBlockBuilder::attribute(Attribute name, std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    attribute(name, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void ObjectBlockBuilder::end() {
    number(0);
    ++count_;
}

void ObjectBlockBuilder::clear() {
    bytes_.clear();
    count_ = 0;
}

std::uint64_t ObjectBlockReader::number() {
    std::uint64_t n = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (rest_.empty())
            break;
        const auto byte = static_cast<unsigned char>(rest_.front());
        rest_.remove_prefix(1);
        n |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return n;
    }
    throw Error("an object block ends inside a number");
}

std::string_view ObjectBlockReader::text() {
    const std::uint64_t size = number();
    if (size > rest_.size())
        throw Error("an object block ends inside a text");
    const std::string_view s = rest_.substr(0, size);
    rest_.remove_prefix(size);
    return s;
}

bool ObjectBlockReader::nextObject(std::int64_t& parent, std::string_view& cls,
                                   std::string_view& displayName) {
    if (rest_.empty())
        return false;
    parent = static_cast<std::int64_t>(number());
    cls = text();
    displayName = text();
    return true;
}

bool ObjectBlockReader::nextAttribute(std::string_view& name, std::string_view& value) {
    const std::uint64_t number = this->number();
    if (number == 0)
        return false;
    if (number >= kAttributeNames.size())
        throw Error("an object block names an unknown attribute");
    name = kAttributeNames[number];
    value = text();
    return true;
}

} // namespace vorq::workbench
