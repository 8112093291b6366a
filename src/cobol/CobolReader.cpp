#include "cobol/CobolReader.h"

#include "cobol/DataParser.h"
#include "cobol/Lexer.h"
#include "cobol/ProgramParser.h"
#include "cobol/StorageLayout.h"
#include "host/Text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vorq::cobol {
namespace {

// Whether a program begins somewhere in the tokens: IDENTIFICATION (or ID) DIVISION, or a
// PROGRAM-ID without it. In a program it is the first thing; a copybook is read to its end.
bool isProgram(const TokenCursor& tokens) {
    for (std::size_t i = 0; tokens.has(i); ++i) {
        const Token& t = tokens.peek(i);
        if (t.is("PROGRAM-ID") ||
            ((t.is("IDENTIFICATION") || t.is("ID")) && tokens.peek(i + 1).is("DIVISION")))
            return true;
    }
    return false;
}

// Copybooks cut out of a record often begin below level 01. Their leading items are read as
// one record named after the file, as other copybook tools read them, and the reader says so.
void wrapItemsBelowRecord(SourceModel& model, Diagnostics& diags) {
    auto& items = model.items;
    const auto isRecord = [](const auto& item) { return item->level == 1 || item->level == 77; };
    if (items.empty() || isRecord(items.front()) || items.front()->level == 66)
        return;
    auto record = std::make_unique<DataItem>();
    record->level = 1;
    record->name = model.name;
    record->at = items.front()->at;
    auto end = std::find_if(items.begin(), items.end(), isRecord);
    for (auto it = items.begin(); it != end; ++it) {
        (*it)->parent = record.get();
        record->children.push_back(std::move(*it));
    }
    items.erase(items.begin(), end);
    diags.warning(record->at, "the copybook has no level 01: its items up to the first 01 are "
                              "read as the record " +
                                  record->name + ", named after the file");
    items.insert(items.begin(), std::move(record));
}

void finishCopybook(SourceModel& model, Diagnostics& diags) {
    if (model.items.empty() && !diags.hasErrors())
        diags.error({model.files.front().get(), 1, 1},
                    "expected data entries: the copybook declares no data item");
    wrapItemsBelowRecord(model, diags);
    computeLayout(model.items, diags);
}

// Whether text could hold a program; when it cannot, it is not searched for one, which would
// keep all of a copybook's tokens at once.
bool mayBeProgram(std::string_view text) {
    for (const std::string_view word : {"DIVISION", "PROGRAM-ID"}) {
        const auto hit = std::search(text.begin(), text.end(), word.begin(), word.end(),
                                     [](char a, char b) { return asciiUpper(a) == b; });
        if (hit != text.end())
            return true;
    }
    return false;
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
    const bool mayHoldProgram = mayBeProgram(*text);
    ExpandedTokens tokens(path, std::move(*text), files, options, result.diagnostics, model.files);
    TokenCursor cursor(tokens);
    if (mayHoldProgram && isProgram(cursor)) {
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
