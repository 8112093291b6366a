#include "host/Value.h"

#include "host/Error.h"
#include "host/Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vorq {
namespace {

[[noreturn]] void typeMismatch(const std::string& what) {
    throw Error("Type mismatch: cannot convert " + what + " to a number", -2146828275);
}

} // namespace

double Value::toDouble() const {
    if (const auto* i = std::get_if<std::int64_t>(&data_))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&data_))
        return *d;
    if (const auto* s = std::get_if<std::string>(&data_)) {
        const std::string_view t = trimmedView(*s, " \t");
        double result = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), result);
        if (t.empty() || ec != std::errc() || end != t.data() + t.size())
            typeMismatch("\"" + *s + "\"");
        return result;
    }
    typeMismatch("Null");
}

std::int64_t Value::toInt64() const {
    if (const auto* i = std::get_if<std::int64_t>(&data_))
        return *i;
    // A whole number in text, as the repository's lengths and counts are, is read as one:
    // exactly past 2^53, and without the cost of reading a double.
    if (const auto* s = std::get_if<std::string>(&data_)) {
        const std::string_view t = trimmedView(*s, " \t");
        std::int64_t whole = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), whole);
        if (!t.empty() && ec == std::errc() && end == t.data() + t.size())
            return whole;
    }
    const double d = std::nearbyint(toDouble()); // halves go to the even neighbour
    if (!(d >= -9.2233720368547758e18 && d < 9.2233720368547758e18))
        throw Error("Overflow: " + toString() + " is out of range", -2146828282);
    return static_cast<std::int64_t>(d);
}

std::int32_t Value::toLong() const {
    const std::int64_t v = toInt64();
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        throw Error("Overflow: " + std::to_string(v) + " does not fit a 32-bit integer",
                    -2146828282);
    return static_cast<std::int32_t>(v);
}

std::string Value::toString() const {
    if (const auto* i = std::get_if<std::int64_t>(&data_))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&data_)) {
        char buffer[32];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, *d);
        return std::string(buffer, ec == std::errc() ? end : buffer);
    }
    if (const auto* s = std::get_if<std::string>(&data_))
        return *s;
    return {};
}

bool toBoolean(const std::string& text) {
    if (sameName(text, "True"))
        return true;
    if (sameName(text, "False"))
        return false;
    return Value(text).toDouble() != 0;
}

} // namespace vorq
