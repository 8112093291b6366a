#pragma once

#include "cobol/CobolReader.h"
#include "cobol/Lexer.h"

#include <string>
#include <vector>

namespace vorq::testing {

// Fixed-format lines: each text is placed from column 8 unless it starts with its own
// indicator ("*", "-", "D" followed by a blank or text in column 7 is given whole).
inline std::string fixed(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += "       " + line + "\n";
    return text;
}

// Every token of a file's code lines at once, as a parser would be given them one by one.
inline std::vector<cobol::Token> tokenize(const cobol::SourceFile& file,
                                          const cobol::SourceLines& lines,
                                          cobol::Diagnostics& diags) {
    cobol::LineLexer lexer(file, lines, diags);
    while (lexer.fill(static_cast<std::size_t>(-1))) {
    }
    return std::move(lexer.tokens());
}

// Reads path from an in-memory file set.
inline cobol::ReadResult readText(const cobol::MemoryFileReader& files, const std::string& path,
                                  std::vector<std::string> copyPaths = {}) {
    return cobol::readSource(path, files, {std::move(copyPaths)});
}

inline cobol::ReadResult readOne(const std::string& path, const std::string& text) {
    cobol::MemoryFileReader files;
    files.add(path, text);
    return readText(files, path);
}

// Every item of a copybook, depth first, in source order.
inline std::vector<const cobol::DataItem*> flattened(const cobol::SourceModel& model) {
    std::vector<const cobol::DataItem*> out;
    std::vector<const cobol::DataItem*> stack;
    for (auto it = model.items.rbegin(); it != model.items.rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        const cobol::DataItem* item = stack.back();
        stack.pop_back();
        out.push_back(item);
        for (auto it = item->children.rbegin(); it != item->children.rend(); ++it)
            stack.push_back(it->get());
    }
    return out;
}

// "name@offset+length" for every item in source order: the layout in one comparable string.
inline std::string layoutOf(const cobol::SourceModel& model) {
    std::string out;
    for (const cobol::DataItem* item : flattened(model))
        out += (out.empty() ? "" : " ") + (item->name.empty() ? "FILLER" : item->name) + "@" +
               std::to_string(item->offset) + "+" + std::to_string(item->length);
    return out;
}

} // namespace vorq::testing
