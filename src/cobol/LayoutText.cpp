#include "cobol/LayoutText.h"

#include <cstdio>

namespace vorq::cobol {
namespace {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\', out += c;
        else if (static_cast<unsigned char>(c) < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else
            out += c;
    }
    return out + "\"";
}

class Printer {
public:
    explicit Printer(bool json) : json_(json) {
        if (!json_)
            out_ = pad("LVL", 4) + pad("NAME", 34) + pad("PICTURE", 16) + pad("USAGE", 18) +
                   pad("OFFSET", 9) + pad("LENGTH", 9) + pad("OCCURS", 8) + "REDEFINES\n";
    }

    void heading(const std::string& text) {
        if (!json_)
            out_ += text + "\n";
    }

    void item(const DataItem& item, int depth) {
        const std::string name = item.name.empty() ? "FILLER" : item.name;
        const std::string usage = item.isGroup() && !item.usageGiven ? "" : usageName(item.usage);
        const std::string redefines =
            item.level == 66
                ? item.renamesFrom + (item.renamesThru.empty() ? "" : " THRU " + item.renamesThru)
                : item.redefines;
        if (json_) {
            out_ +=
                "{\"level\": " + std::to_string(item.level) + ", \"name\": " + jsonString(name) +
                ", \"picture\": " + jsonString(item.picture) + ", \"usage\": " + jsonString(usage) +
                ", \"offset\": " + std::to_string(item.offset) +
                ", \"length\": " + std::to_string(item.length) +
                ", \"occurs\": " + std::to_string(item.occurs) +
                ", \"redefines\": " + jsonString(redefines) +
                ", \"group\": " + (item.isGroup() ? "true" : "false") + "}\n";
        } else {
            const std::string level = (item.level < 10 ? "0" : "") + std::to_string(item.level);
            out_ += pad(level, 4) +
                    pad(std::string(static_cast<std::size_t>(depth) * 2, ' ') + name, 34) +
                    pad(item.picture, 16) + pad(usage, 18) + pad(std::to_string(item.offset), 9) +
                    pad(std::to_string(item.length), 9) +
                    pad(item.occurs ? std::to_string(item.occurs) : "", 8) + redefines + "\n";
        }
        for (const auto& child : item.children)
            this->item(*child, depth + 1);
    }

    std::string text() { return std::move(out_); }

private:
    static std::string pad(const std::string& text, std::size_t width) {
        return text.size() + 1 >= width ? text + " " : text + std::string(width - text.size(), ' ');
    }

    bool json_;
    std::string out_;
};

void program(Printer& printer, const Program& p) {
    printer.heading("PROGRAM " + p.name);
    for (const auto& record : p.records) {
        printer.heading(std::string(sectionName(record.section)) + " SECTION" +
                        (record.file.empty() ? "" : ", FD " + record.file));
        printer.item(*record.item, 0);
    }
    for (const auto& nested : p.nested)
        program(printer, *nested);
}

} // namespace

std::string layoutText(const SourceModel& model, bool json) {
    Printer printer(json);
    for (const auto& item : model.items)
        printer.item(*item, 0);
    for (const auto& p : model.programs)
        program(printer, *p);
    return printer.text();
}

} // namespace vorq::cobol
