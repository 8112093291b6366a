#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vorq::workbench {

// The attributes of repository objects. A block stores the number, not the name: names were
// half of a database's bytes. New names go at the end.
enum class Attribute : std::uint8_t {
    Name = 1,
    Level,
    Picture,
    Usage,
    Occurs,
    OccursMin,
    DependingOn,
    Digits,
    Length,
    Fraction,
    Offset,
    Datatype,
    Elementary,
    SysVar,
    Value,
    Line,
    Section,
    AssignTo,
    PortName, // "PORTNAME"
    Verb,
    Sign,          // of a signed item: "LEADING" or "TRAILING", with " SEPARATE"
    BlankWhenZero, // "True" on an item with BLANK WHEN ZERO; absent otherwise
};
constexpr std::size_t kAttributeCount = static_cast<std::size_t>(Attribute::BlankWhenZero) + 1;

// The attribute of that name in any letter case; nullopt for a name no attribute has.
std::optional<Attribute> attributeNamed(std::string_view name);

// Consecutive objects of a repository database packed into one row. The database is always
// read whole, and with a row per object SQLite's per-row work was most of what verify cost.
// An object is its parent id, class, display name, then the number and value of each
// attribute and a 0; numbers are unsigned LEB128, texts their byte length and bytes, so any
// value survives.
class ObjectBlockBuilder {
public:
    void begin(std::int64_t parent, std::string_view cls, std::string_view displayName);
    void attribute(Attribute name, std::string_view value);
    void attribute(Attribute name, std::int64_t value);
    void end();

    std::size_t objectCount() const { return count_; }
    std::size_t byteSize() const { return size_; }
    std::string_view bytes() const { return {data_.get(), size_}; }
    void clear();

private:
    // Where the next n bytes go. Every value is written straight there: a verify writes half a
    // million of them, and a string's appends cost twice what the values' bytes did.
    char* room(std::size_t n);

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
};

// Reads the objects of a block back; views stay valid as long as the block's bytes.
class ObjectBlockReader {
public:
    explicit ObjectBlockReader(std::string_view bytes) : rest_(bytes) {}

    // Moves to the next object's header; false at the end. Raises vorq::Error on a damaged
    // block.
    bool nextObject(std::int64_t& parent, std::string_view& cls, std::string_view& displayName);
    // The current object's next attribute and its name; false after its last.
    bool nextAttribute(std::string_view& name, std::string_view& value);
    bool nextAttribute(Attribute& number, std::string_view& value);
    // The current object's attributes as the block holds them, for a reader of their own
    // (which nextAttribute reads); moves past them.
    std::string_view takeAttributes();

private:
    std::uint64_t number();
    std::string_view text();

    std::string_view rest_;
};

} // namespace vorq::workbench
