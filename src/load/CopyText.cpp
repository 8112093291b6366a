#include "load/CopyText.h"

#include <charconv>

namespace vorq::load {

void appendCopyValue(const FieldValue& v, std::string& out) {
    switch (v.kind) {
    case FieldValue::Kind::Null:
        out += "\\N";
        return;
    case FieldValue::Kind::Integer:
        out += std::to_string(v.integer);
        return;
    case FieldValue::Kind::Real: {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v.real).ptr;
        out.append(buffer, end);
        return;
    }
    case FieldValue::Kind::Text:
        for (const char c : v.text) {
            switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out.push_back(c);
            }
        }
    }
}

void appendCopyRow(const std::vector<FieldValue>& row, std::string& out) {
    for (std::size_t c = 0; c < row.size(); ++c) {
        if (c)
            out.push_back('\t');
        appendCopyValue(row[c], out);
    }
    out.push_back('\n');
}

} // namespace vorq::load
