#include "cobol/CobolReader.h"

#include "cobol/Ascii.h"
#include "cobol/DataParser.h"
#include "cobol/Lexer.h"
#include "cobol/ProgramParser.h"
#include "cobol/StorageLayout.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vorq::cobol {
namespace {

bool isProgram(const std::vector<Token>& tokens) {
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i)
        if ((tokens[i].is("IDENTIFICATION") || tokens[i].is("ID")) && tokens[i + 1].is("DIVISION"))
            return true;
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const Token& t) { return t.is("PROGRAM-ID"); });
}

void finishCopybook(SourceModel& model, Diagnostics& diags) {
    if (model.items.empty() && !diags.hasErrors())
        diags.error({model.files.front().get(), 1, 1},
                    "expected data entries: the copybook declares no data item");
    computeLayout(model.items, diags);
}

// Whether text could hold a program or a COPY or EXEC statement; when it cannot, it is a
// copybook that reads a record at a time. A false yes only costs the reading of all tokens
// at once.
bool mayNeedAllTokens(std::string_view text) {
    for (const std::string_view word : {"COPY", "EXEC", "DIVISION", "PROGRAM-ID"}) {
        const auto hit = std::search(text.begin(), text.end(), word.begin(), word.end(),
                                     [](char a, char b) { return asciiUpper(a) == b; });
        if (hit != text.end())
            return true;
    }
    return false;
}

// Where the last record of the tokens starts: a level 01 or 77 at the start of a line after
// a period; 0 when none does.
std::size_t lastRecordStart(const std::vector<Token>& tokens) {
    for (std::size_t i = tokens.size(); i-- > 1;) {
        const Token& t = tokens[i];
        if (t.lineStart && tokens[i - 1].kind == TokenKind::Period && isLevelNumber(t) &&
            (t.text == "01" || t.text == "1" || t.text == "77"))
            return i;
    }
    return 0;
}

// A copybook's records parsed as their tokens come, each stretch of records dropped once
// parsed: a million tokens never live at once. Records that redefine one of an earlier
// stretch are laid out with the rest, at the end.
void readCopybookByRecords(const std::string& path, std::string text, SourceModel& model,
                           Diagnostics& diags) {
    constexpr std::size_t kStretch = 65'536; // tokens
    model.files.push_back(SourceFile::fromText(path, text));
    std::string().swap(text); // the file's lines hold it now

    const SourceFile& source = *model.files.back();
    const SourceLines lines = splitSource(source, diags);
    LineLexer lexer(source, lines, diags);
    std::vector<Token>& pending = lexer.tokens();
    bool more = true;
    while (more || !pending.empty()) {
        more = lexer.fill(pending.size() + kStretch);
        const std::size_t cut = more ? lastRecordStart(pending) : pending.size();
        if (cut == 0)
            continue; // one record longer than a stretch: lex on
        std::vector<Token> stretch(
            std::make_move_iterator(pending.begin()),
            std::make_move_iterator(pending.begin() + static_cast<std::ptrdiff_t>(cut)));
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(cut));
        TokenCursor cursor(stretch);
        for (auto& record :
             parseDataEntries(cursor, diags, [](const TokenCursor&) { return false; }))
            model.items.push_back(std::move(record));
    }
}

} // namespace

std::string copybookName(const std::string& path) {
    return upperCase(std::filesystem::path(path).stem().string());
}

ReadResult readSource(const std::string& path, const FileReader& files,
                      const CopyOptions& options) {
    ReadResult result;
    result.model = std::make_unique<SourceModel>();
    SourceModel& model = *result.model;
    model.path = path;
    auto text = files.read(path);
    if (!text) {
        model.files.push_back(std::make_shared<SourceFile>(SourceFile{path, {}, {}}));
        result.diagnostics.error({model.files.back().get(), 0, 0}, "cannot read the file");
        return result;
    }
    if (!mayNeedAllTokens(*text)) {
        model.kind = SourceModel::Kind::Copybook;
        model.name = copybookName(path);
        readCopybookByRecords(path, std::move(*text), model, result.diagnostics);
        finishCopybook(model, result.diagnostics);
        return result;
    }
    const std::vector<Token> tokens =
        readExpanded(path, *text, files, options, result.diagnostics, model.files);
    TokenCursor cursor(tokens);
    if (isProgram(tokens)) {
        model.kind = SourceModel::Kind::Program;
        model.name = std::filesystem::path(path).filename().string();
        parsePrograms(cursor, model, result.diagnostics);
    } else {
        model.kind = SourceModel::Kind::Copybook;
        model.name = copybookName(path);
        model.items =
            parseDataEntries(cursor, result.diagnostics, [](const TokenCursor&) { return false; });
        finishCopybook(model, result.diagnostics);
    }
    return result;
}

} // namespace vorq::cobol
