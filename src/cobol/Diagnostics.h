#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorq::cobol {

// A source file's name and its physical lines (tabs expanded), kept as the file was read: a copy
// of the text, or a string per line, cost the time and memory of the file again.
struct SourceFile {
    std::string name;
    std::string text;                // the lines, each with its line end
    std::vector<std::size_t> starts; // where each line starts in text, then text's size

    std::size_t lineCount() const { return starts.empty() ? 0 : starts.size() - 1; }
    // The line of a 0-based index below lineCount(), without its line end.
    std::string_view line(std::size_t index) const {
        std::string_view line =
            std::string_view(text).substr(starts[index], starts[index + 1] - starts[index]);
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    // Splits text into lines; a final line end does not start another line.
    static std::shared_ptr<const SourceFile> fromText(std::string name, std::string text);
};

// Where something is in a source: a file, a 1-based line and column. The file is owned by
// the model that was read from it (SourceModel::files).
struct SourceLocation {
    const SourceFile* file = nullptr;
    int line = 0;
    int column = 0;

    const std::string& fileName() const;
    // The physical line, "" when unknown.
    std::string lineText() const;
};

// A message about a source; it keeps its own copy of what it shows, so it outlives the source.
struct Diagnostic {
    enum class Severity { Warning, Error };
    Severity severity = Severity::Error;
    std::string file;
    int line = 0;
    int column = 0;
    std::string message;
    std::string sourceLine; // the physical line, for the caret display

    // "file:line:col: error: message", the source line and a caret under the column; control
    // bytes written as \xNN and a long line cut to the part around the column.
    std::string format() const;
};

// Collects the diagnostics of one source, errors and warnings in order of finding. Past
// kMaxErrors errors one more says so and the rest are only counted.
class Diagnostics {
public:
    static constexpr int kMaxErrors = 100;

    void error(const SourceLocation& at, std::string message);
    void warning(const SourceLocation& at, std::string message);

    const std::vector<Diagnostic>& all() const { return all_; }
    int errorCount() const { return errors_; }
    bool hasErrors() const { return errors_ > 0; }
    // Every diagnostic, formatted, one after the other.
    std::string format() const;

private:
    std::vector<Diagnostic> all_;
    int errors_ = 0;
};

} // namespace vorq::cobol
