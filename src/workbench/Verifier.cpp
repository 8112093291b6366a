#include "workbench/Verifier.h"

#include "cobol/CobolReader.h"
#include "host/Error.h"
#include "workbench/RepositoryWriter.h"
#include "workbench/Workbench.h"

#include <algorithm>
#include <unistd.h>

namespace vorq::workbench {
namespace {

std::size_t countItems(const std::vector<std::unique_ptr<cobol::DataItem>>& items) {
    std::size_t n = 0;
    for (const auto& item : items)
        n += 1 + countItems(item->children);
    return n;
}

std::size_t countItems(const cobol::Program& p) {
    std::size_t n = 0;
    for (const auto& r : p.records)
        n += 1 + countItems(r.item->children);
    for (const auto& nested : p.nested)
        n += countItems(*nested);
    return n;
}

bool isCobolFile(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".cpy" || ext == ".cbl" || ext == ".cob" || ext == ".cobol" || ext == ".copy";
}

} // namespace

Verifier::Verifier(Workbench& workbench, const cobol::FileReader& files, cobol::CopyOptions options)
    : workbench_(workbench), files_(files), options_(std::move(options)) {}

VerifyOutcome Verifier::verify(const std::string& path) {
    VerifyOutcome outcome;
    outcome.path = path;
    cobol::ReadResult read = cobol::readSource(path, files_, options_);
    outcome.diagnostics = std::move(read.diagnostics);
    const cobol::SourceModel& model = *read.model;
    const bool copybook = model.kind == cobol::SourceModel::Kind::Copybook;
    outcome.kind = copybook ? "copybook" : "program file";
    outcome.name = model.name;
    if (outcome.diagnostics.hasErrors())
        return outcome;
    outcome.items = copybook ? countItems(model.items) : 0;
    for (const auto& p : model.programs)
        outcome.items += countItems(*p);

    outcome.xandrel = xandrelFor(copybook ? "copybook" : "cobol", model.name);
    const auto target = workbench_.folder().database(outcome.xandrel);
    const std::filesystem::path temporary = target.string() + ".tmp" + std::to_string(::getpid());
    std::filesystem::remove(temporary);
    try {
        writeRepositoryDatabase(model, temporary);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(temporary, ec);
        throw;
    }
    workbench_.catalog().recordSource(model, outcome.xandrel, temporary, target);
    outcome.verified = true;
    return outcome;
}

std::vector<std::string> collectSources(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const auto& path : paths) {
        if (!std::filesystem::exists(path))
            throw Error("There is no file or folder " + path);
        if (!std::filesystem::is_directory(path)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
            if (entry.is_regular_file() && isCobolFile(entry.path()))
                found.push_back(entry.path().string());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

} // namespace vorq::workbench
