#include "cobol/Diagnostics.h"

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

} // namespace

std::shared_ptr<const SourceFile> SourceFile::fromText(std::string name, const std::string& text) {
    auto file = std::make_shared<SourceFile>();
    file->name = std::move(name);
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        file->lines.push_back(expandTabs(line));
        start = end + 1;
    }
    return file;
}

const std::string& SourceLocation::fileName() const {
    static const std::string none;
    return file ? file->name : none;
}

std::string SourceLocation::lineText() const {
    if (!file || line < 1 || line > static_cast<int>(file->lines.size()))
        return "";
    return file->lines[static_cast<std::size_t>(line - 1)];
}

std::string Diagnostic::format() const {
    std::string text = file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                       (severity == Severity::Error ? "error: " : "warning: ") + message + "\n";
    if (!sourceLine.empty()) {
        text += "    " + sourceLine + "\n";
        text +=
            "    " + std::string(static_cast<std::size_t>(std::max(column - 1, 0)), ' ') + "^\n";
    }
    return text;
}

void Diagnostics::error(const SourceLocation& at, std::string message) {
    all_.push_back({Diagnostic::Severity::Error, at.fileName(), at.line, at.column,
                    std::move(message), at.lineText()});
    ++errors_;
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
