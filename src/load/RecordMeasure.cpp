#include "load/RecordMeasure.h"

#include "host/Error.h"
#include "load/CodePage.h"
#include "load/LoadPlan.h"

#include <algorithm>

namespace vorq::load {
namespace {

// No record is longer: a length field with garbage in it must not claim gigabytes.
constexpr std::int64_t kLongestRecord = 999'999'999;

std::size_t endOf(const Condition& field) {
    return static_cast<std::size_t>(field.offset) + field.format.length;
}

// The field's value as a whole number, or why there is none.
bool wholeNumber(const Condition& field, std::string_view first, const CodePage& page,
                 std::int64_t& value, std::string& why) {
    if (first.size() < endOf(field)) {
        why = "the file ends before the record's length field";
        return false;
    }
    FieldValue decoded;
    decodeField(field.format,
                first.substr(static_cast<std::size_t>(field.offset), field.format.length), page,
                decoded);
    if (decoded.kind != FieldValue::Kind::Integer) {
        why = std::string("the record's length field has ") +
              (decoded.problem ? decoded.problem : "no whole number");
        return false;
    }
    value = decoded.integer;
    return true;
}

std::string valueOf(const Condition& field, std::string_view first, const CodePage& page) {
    FieldValue decoded;
    decodeField(field.format,
                first.substr(static_cast<std::size_t>(field.offset), field.format.length), page,
                decoded);
    return decoded.kind == FieldValue::Kind::Integer ? std::to_string(decoded.integer)
                                                     : decoded.text;
}

} // namespace

void measureRecords(const std::vector<const LoadPlan*>& plans, const CodePage& page,
                    std::int64_t adjust, RecordFormatOptions& options) {
    const auto withField = std::find_if(
        plans.begin(), plans.end(), [](const LoadPlan* p) { return p->lengthField.has_value(); });
    if (withField != plans.end()) {
        const Condition field = *(*withField)->lengthField;
        options.measureBytes = endOf(field);
        options.measure = [field, &page, adjust](std::string_view first, std::string& why) {
            std::int64_t value = 0;
            if (!wholeNumber(field, first, page, value, why))
                return std::int64_t{0};
            const std::int64_t length = value + adjust;
            if (length > kLongestRecord) {
                why = "the record's length field gives " + std::to_string(length) + " bytes";
                return std::int64_t{0};
            }
            return length;
        };
        return;
    }
    for (const LoadPlan* plan : plans) {
        if (plan->conditions.empty())
            throw Error("Records without descriptor words need a length field or a type for "
                        "each record (the type field tells the length)");
        for (const Condition& c : plan->conditions)
            options.measureBytes = std::max(options.measureBytes, endOf(c));
    }
    options.measure = [plans, &page](std::string_view first, std::string& why) {
        for (const LoadPlan* plan : plans) {
            const bool meets = std::all_of(
                plan->conditions.begin(), plan->conditions.end(), [&](const Condition& c) {
                    return first.size() >= endOf(c) && valueOf(c, first, page) == c.value;
                });
            if (meets)
                return plan->recordLength;
        }
        why = "a record of none of the types given, whose length is therefore unknown";
        return std::int64_t{0};
    };
}

} // namespace vorq::load
