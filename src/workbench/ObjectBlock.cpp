#include "workbench/ObjectBlock.h"

#include "host/Error.h"
#include "host/Text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <vector>

namespace vorq::workbench {
namespace {

// By Attribute's numbers.
constexpr std::array<std::string_view, kAttributeCount> kAttributeNames = {
    "",          "Name",        "Level",  "Picture", "Usage",        "Occurs",
    "OccursMin", "DependingOn", "Digits", "Length",  "Fraction",     "Offset",
    "Datatype",  "Elementary",  "SysVar", "Value",   "Line",         "Section",
    "AssignTo",  "PORTNAME",    "Verb",   "Sign",    "BlankWhenZero"};

constexpr std::size_t kLongestName =
    std::ranges::max(kAttributeNames, {}, &std::string_view::size).size();

// The most bytes a number takes.
constexpr std::size_t kNumberBytes = 10;

char* putNumber(char* out, std::uint64_t n) {
    for (; n >= 0x80; n >>= 7)
        *out++ = static_cast<char>((n & 0x7f) | 0x80);
    *out++ = static_cast<char>(n);
    return out;
}

char* putText(char* out, std::string_view s) {
    out = putNumber(out, s.size());
    if (!s.empty())
        std::memcpy(out, s.data(), s.size());
    return out + s.size();
}

} // namespace

char* ObjectBlockBuilder::room(std::size_t n) {
    if (capacity_ - size_ < n) {
        const std::size_t capacity = std::max(2 * capacity_, size_ + n);
        auto data = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ > 0)
            std::memcpy(data.get(), data_.get(), size_);
        data_ = std::move(data);
        capacity_ = capacity;
    }
    return data_.get() + size_;
}

void ObjectBlockBuilder::begin(std::int64_t parent, std::string_view cls,
                               std::string_view displayName) {
    char* out = room(3 * kNumberBytes + cls.size() + displayName.size());
    out = putNumber(out, static_cast<std::uint64_t>(parent));
    out = putText(out, cls);
    size_ = static_cast<std::size_t>(putText(out, displayName) - data_.get());
}

void ObjectBlockBuilder::attribute(Attribute name, std::string_view value) {
    char* out = room(1 + kNumberBytes + value.size());
    *out++ = static_cast<char>(name);
    size_ = static_cast<std::size_t>(putText(out, value) - data_.get());
}

void ObjectBlockBuilder::attribute(Attribute name, std::int64_t value) {
    // The digits go straight after their length byte: at most 20 of them, so one byte.
    constexpr std::size_t kDigits = 20;
    char* out = room(2 + kDigits);
    *out++ = static_cast<char>(name);
    char* const end = std::to_chars(out + 1, out + 1 + kDigits, value).ptr;
    *out = static_cast<char>(end - out - 1);
    size_ = static_cast<std::size_t>(end - data_.get());
}

void ObjectBlockBuilder::end() {
    *room(1) = 0;
    ++size_;
    ++count_;
}

void ObjectBlockBuilder::clear() {
    size_ = 0;
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

std::optional<Attribute> attributeNamed(std::string_view name) {
    // A name is compared with those of its length only: the import looks up ten names for
    // each item it reads.
    static const auto byLength = [] {
        std::array<std::vector<Attribute>, kLongestName + 1> lists;
        for (std::size_t number = 1; number < kAttributeCount; ++number)
            lists[kAttributeNames[number].size()].push_back(static_cast<Attribute>(number));
        return lists;
    }();
    if (name.size() > kLongestName)
        return std::nullopt;
    for (const Attribute a : byLength[name.size()])
        if (sameName(kAttributeNames[static_cast<std::size_t>(a)], name))
            return a;
    return std::nullopt;
}

bool ObjectBlockReader::nextAttribute(Attribute& number, std::string_view& value) {
    const std::uint64_t stored = this->number();
    if (stored == 0)
        return false;
    if (stored >= kAttributeNames.size())
        throw Error("an object block names an unknown attribute");
    number = static_cast<Attribute>(stored);
    value = text();
    return true;
}

bool ObjectBlockReader::nextAttribute(std::string_view& name, std::string_view& value) {
    Attribute number{};
    if (!nextAttribute(number, value))
        return false;
    name = kAttributeNames[static_cast<std::size_t>(number)];
    return true;
}

std::string_view ObjectBlockReader::takeAttributes() {
    const char* first = rest_.data();
    std::string_view name, value;
    while (nextAttribute(name, value))
        continue;
    return {first, static_cast<std::size_t>(rest_.data() - first)};
}

} // namespace vorq::workbench
