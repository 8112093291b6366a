#include "cobol/CobolReader.h"

#include "cobol/Ascii.h"
#include "cobol/DataParser.h"
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
    const auto text = files.read(path);
    if (!text) {
        model.files.push_back(std::make_shared<SourceFile>(SourceFile{path, {}}));
        result.diagnostics.error({model.files.back().get(), 0, 0}, "cannot read the file");
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
        if (model.items.empty() && !result.diagnostics.hasErrors())
            result.diagnostics.error({model.files.front().get(), 1, 1},
                                     "expected data entries: the copybook declares no data item");
        computeLayout(model.items, result.diagnostics);
    }
    return result;
}

} // namespace vorq::cobol
