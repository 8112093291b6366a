#include "LoadRun.h"

#include "AppContext.h"
#include "OutputGuard.h"
#include "UsageError.h"
#include "load/OpenTarget.h"
#include "load/RejectFile.h"
#include "projectdb/SqlProjectDatabase.h"

#include <regex>
#include <tuple>

namespace vorq::app {
namespace {

load::RecordCondition conditionOf(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        throw UsageError("--when takes FIELD=VALUE, not '" + text + "'");
    return {text.substr(0, equals), text.substr(equals + 1), "--when"};
}

load::ExistingRows existingRows(const LoadOptions& options) {
    if (options.append && options.replace)
        throw UsageError("--append and --replace exclude each other");
    if (!options.part.empty() && options.replace)
        throw UsageError("--part adds its rows to those of the other parts: it goes with "
                         "--append (which it implies), not --replace");
    return options.append || !options.part.empty() ? load::ExistingRows::Append
           : options.replace                       ? load::ExistingRows::Replace
                                                   : load::ExistingRows::Refuse;
}

// K and N of --part K/N: 1 <= K <= N <= 1,000,000.
std::pair<std::int64_t, std::int64_t> partOf(const std::string& text) {
    static const std::regex form("([0-9]{1,7})/([0-9]{1,7})");
    std::smatch m;
    if (std::regex_match(text, m, form)) {
        const std::int64_t k = std::stoll(m[1]), n = std::stoll(m[2]);
        if (k >= 1 && k <= n && n <= 1'000'000)
            return {k, n};
    }
    throw UsageError("--part takes K/N, the K-th of N parts (1 <= K <= N <= 1000000), not '" +
                     text + "'");
}

// The files a load writes are never its inputs, the workspace's own files, or files that
// vorq did not write.
void refuseOverwrites(const AppContext& context, const LoadOptions& options,
                      const std::string& target) {
    const bool targetIsFile = !projectdb::isConnectionString(target);
    const bool projectIsFile = !projectdb::isConnectionString(context.projectLocation());
    const NamedFile data{options.data, "the data file"};
    const NamedFile project{projectIsFile ? context.projectLocation() : "", "the project database"};
    const NamedFile rejects{options.rejects, "the reject file"};
    const NamedFile targetFile{targetIsFile ? target : "", "the target"};
    refuseOverwrite(rejects, {data, project, targetFile}, context.workspace);
    refuseForeignFile(rejects, load::RejectFile::kHeader);
    refuseOverwrite(targetFile, {data, project, rejects}, context.workspace);
}

load::DecodeSettings decodeSettings(const LoadOptions& options, const load::CodePage& page) {
    load::DecodeSettings decode;
    decode.nativeLittleEndian = options.nativeBinary || !page.isEbcdic();
    decode.floating = options.floating == "ieee-be" ? load::FieldKind::IeeeFloatBig
                      : options.floating == "ieee"  ? load::FieldKind::IeeeFloat
                      : options.floating == "hfp"   ? load::FieldKind::HexFloat
                      : page.isEbcdic()             ? load::FieldKind::HexFloat
                                                    : load::FieldKind::IeeeFloat;
    decode.keepTrailingBlanks = options.keepTrailingBlanks;
    return decode;
}

load::LoadSettings loadSettings(const LoadOptions& options) {
    load::LoadSettings settings;
    settings.format.format = load::recordFormatNamed(options.format);
    settings.format.recordLength = options.recordLength;
    settings.format.framing = {options.littleEndianLengths, options.lengthAtEnd,
                               options.lengthsExcludeWord, options.blockDescriptors};
    // Without a word on the framing, the file's first descriptor words tell it.
    settings.format.findFraming = !options.littleEndianLengths && !options.lengthAtEnd &&
                                  !options.lengthsExcludeWord && !options.blockDescriptors;
    if (!options.lengthField.empty() && settings.format.format != load::RecordFormat::Measured)
        throw UsageError("--length-field goes with --format measured");
    settings.lengthAdjust = options.lengthAdjust;
    settings.format.headerBytes = options.headerBytes;
    settings.format.footerBytes = options.footerBytes;
    if (!options.part.empty())
        std::tie(settings.format.part, settings.format.parts) = partOf(options.part);
    settings.existingRows = existingRows(options);
    settings.rejects = options.rejects;
    settings.maxErrors = options.maxErrors;
    settings.rejectRecords = options.rejectRecords;
    return settings;
}

// What each record type is: --table with its --when, or each --type TABLE:FIELD=VALUE.
std::vector<std::pair<std::string, std::vector<load::RecordCondition>>>
recordTypes(const LoadOptions& options) {
    if (options.table.empty() == options.types.empty())
        throw UsageError("give either --table NAME or --type TABLE:FIELD=VALUE (once per record "
                         "type)");
    if (!options.types.empty() && !options.when.empty())
        throw UsageError("--when goes with --table; with --type, each type names its field");
    std::vector<std::pair<std::string, std::vector<load::RecordCondition>>> types;
    if (!options.table.empty()) {
        types.emplace_back(options.table, std::vector<load::RecordCondition>{});
        for (const auto& when : options.when)
            types.back().second.push_back(conditionOf(when));
    }
    for (const auto& type : options.types) {
        const std::size_t colon = type.find(':');
        if (colon == std::string::npos || colon == 0)
            throw UsageError("--type takes TABLE:FIELD=VALUE, not '" + type + "'");
        load::RecordCondition condition = conditionOf(type.substr(colon + 1));
        condition.namedBy = "--type " + type;
        types.emplace_back(type.substr(0, colon), std::vector<load::RecordCondition>{condition});
    }
    return types;
}

load::ProjectLineage projectLineage(const AppContext& context) {
    const auto project =
        projectdb::openProjectDatabase(context.projectLocation(), projectdb::OpenMode::ReadOnly);
    return load::readLineage(*project);
}

} // namespace

LoadRun::LoadRun(const AppContext& context, const LoadOptions& options)
    : data_(options.data), page_(options.encoding), settings_(loadSettings(options)),
      types_(recordTypes(options)), wb_(context.requireWorkspace()),
      lineage_(projectLineage(context)) {
    const load::DecodeSettings decode = decodeSettings(options, page_);
    sources_.reserve(types_.size());
    plans_.reserve(types_.size());
    for (const auto& [table, conditions] : types_) {
        sources_.push_back(load::SourceItems::open(wb_, load::sourceKeyOf(lineage_, table)));
        // The length field is the first type's: a header that all types share.
        plans_.push_back(
            load::planLoad(lineage_, table, sources_.back(), decode, conditions,
                           {plans_.empty() ? options.lengthField : "", "--length-field"}));
        longest_ = std::max(longest_, plans_.back().recordLength);
    }
    std::vector<load::LoadPlan*> linked;
    for (auto& plan : plans_)
        linked.push_back(&plan);
    load::linkRecordTypes(linked);
    planned_.assign(linked.begin(), linked.end());

    const std::string target =
        options.target.empty() ? (context.workspace / "data.db").string() : options.target;
    refuseOverwrites(context, options, target);
    target_ = load::openTarget(target, lineage_.catalog);
}

load::LoadSummary LoadRun::run(std::function<void(const load::LoadProgress&)> progress,
                               const std::atomic<bool>* cancel) {
    settings_.progress = std::move(progress);
    settings_.cancel = cancel;
    return load::runLoad(planned_, page_, data_, *target_, settings_);
}

} // namespace vorq::app
