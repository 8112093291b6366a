#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vorq {

// A field or argument value as the host's late-bound world sees it: Null, a whole number,
// a floating number or text.
class Value {
public:
    Value() = default;
    Value(std::int64_t v) : data_(v) {}
    Value(int v) : data_(static_cast<std::int64_t>(v)) {}
    Value(double v) : data_(v) {}
    Value(std::string v) : data_(std::move(v)) {}
    Value(const char* v) : data_(std::string(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(data_); }
    bool isReal() const { return std::holds_alternative<double>(data_); }
    bool isText() const { return std::holds_alternative<std::string>(data_); }

    // Conversions raise vorq::Error for Null and for text that is not a number, as a
    // late-bound conversion would.
    std::int64_t toInt64() const;
    std::int32_t toLong() const;
    double toDouble() const;
    std::string toString() const;
    // The text of a text value (isText) as it is held, without a copy.
    const std::string& text() const { return std::get<std::string>(data_); }

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, std::int64_t, double, std::string> data_;
};

// "True" or "False" in any letter case, or a number (0 is False): the one rule for the
// Boolean settings and attributes that hosts store as text. Anything else raises vorq::Error.
bool toBoolean(const std::string& text);

} // namespace vorq
