#include "cobol/Diagnostics.h"

#include <algorithm>
#include <string_view>

namespace vorq::cobol {

namespace {

std::string expandTabs(const std::string& line) {
    if (line.find('\t') == std::string::npos)
        return line;
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out.push_back(c);
    }
    return out;
}

// What a terminal can show of a text: control bytes as \xNN, so that a binary file cannot
// drive the terminal. Adds the display width of what it wrote to width.
std::string printable(std::string_view text, std::size_t& width) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += {'\\', 'x', hex[byte >> 4], hex[byte & 15]};
            width += 4;
        } else {
            out.push_back(c);
            width += (byte & 0xC0) == 0x80 ? 0 : 1; // one cell per character, not per byte
        }
    }
    return out;
}

// The byte where the character at a 0-based column begins.
std::size_t byteOfColumn(const std::string& line, std::size_t column) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 && characters++ == column)
            return i;
    return line.size();
}

constexpr std::size_t kShownColumns = 80; // of a long line, this much either side of the caret

} // namespace

std::shared_ptr<const SourceFile> SourceFile::fromText(std::string name, std::string text) {
    auto file = std::make_shared<SourceFile>();
    file->name = std::move(name);
    if (text.find('\t') != std::string::npos) {
        std::string expanded;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
            expanded += expandTabs(text.substr(start, end - start));
            start = end;
        }
        text = std::move(expanded);
    }
    file->text = std::move(text);
    const std::string_view all = file->text;
    for (std::size_t start = 0; start < all.size();) {
        file->starts.push_back(start);
        const std::size_t end = all.find('\n', start);
        start = end == std::string_view::npos ? all.size() : end + 1;
    }
    file->starts.push_back(all.size());
    return file;
}

const std::string& SourceLocation::fileName() const {
    static const std::string none;
    return file ? file->name : none;
}

std::string SourceLocation::lineText() const {
    if (!file || line < 1 || line > static_cast<int>(file->lineCount()))
        return "";
    return std::string(file->line(static_cast<std::size_t>(line - 1)));
}

std::string Diagnostic::format() const {
    std::size_t ignored = 0;
    std::string text = printable(file, ignored) + ":" + std::to_string(line) + ":" +
                       std::to_string(column) + ": " +
                       (severity == Severity::Error ? "error: " : "warning: ") +
                       printable(message, ignored) + "\n";
    if (sourceLine.empty())
        return text;
    // A long line is shown around the caret only; a one-line file of megabytes stays readable.
    const std::size_t caret = static_cast<std::size_t>(std::max(column - 1, 0));
    const std::size_t first = caret > kShownColumns ? caret - kShownColumns : 0;
    const std::size_t from = byteOfColumn(sourceLine, first);
    const std::size_t to = byteOfColumn(sourceLine, caret + kShownColumns);
    std::size_t width = 0;
    std::string shown = first > 0 ? "..." : "";
    width += shown.size();
    shown += printable(
        std::string_view(sourceLine).substr(from, byteOfColumn(sourceLine, caret) - from), width);
    const std::size_t pad = width;
    shown += printable(
        std::string_view(sourceLine)
            .substr(byteOfColumn(sourceLine, caret), to - byteOfColumn(sourceLine, caret)),
        width);
    if (to < sourceLine.size())
        shown += "...";
    return text + "    " + shown + "\n    " + std::string(pad, ' ') + "^\n";
}

void Diagnostics::error(const SourceLocation& at, std::string message) {
    ++errors_;
    if (errors_ > kMaxErrors + 1)
        return; // counted, not kept: a source of garbage gives pages of errors otherwise
    if (errors_ == kMaxErrors + 1)
        message = "more than " + std::to_string(kMaxErrors) +
                  " errors: the rest of this source's errors are not shown";
    all_.push_back({Diagnostic::Severity::Error, at.fileName(), at.line, at.column,
                    std::move(message), at.lineText()});
}

void Diagnostics::warning(const SourceLocation& at, std::string message) {
    all_.push_back({Diagnostic::Severity::Warning, at.fileName(), at.line, at.column,
                    std::move(message), at.lineText()});
}

std::string Diagnostics::format() const {
    std::string text;
    for (const auto& d : all_)
        text += d.format();
    return text;
}

} // namespace vorq::cobol
