#pragma once

#include "load/CodePage.h"
#include "load/LoadPlan.h"
#include "load/Loader.h"
#include "load/ProjectLineage.h"
#include "load/RowTarget.h"
#include "load/SourceItems.h"
#include "workbench/Workbench.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorq::app {

struct AppContext;

// What vorq load is asked to do.
struct LoadOptions {
    std::string table;
    std::vector<std::string> types; // TABLE:FIELD=VALUE
    std::string data;
    std::string target;
    std::string encoding = "cp037";
    std::string format = "fixed";
    std::int64_t recordLength = 0;
    bool littleEndianLengths = false;
    bool lengthsExcludeWord = false;
    bool blockDescriptors = false;
    bool lengthAtEnd = false;
    std::int64_t headerBytes = 0;
    std::string lengthField;
    std::int64_t lengthAdjust = 0;
    std::int64_t footerBytes = 0;
    std::string part; // K/N
    bool nativeBinary = false;
    std::string floating;
    bool keepTrailingBlanks = false;
    bool append = false;
    bool replace = false;
    std::string rejects;
    std::int64_t maxErrors = -1;
    bool rejectRecords = false;
    std::vector<std::string> when;
    bool json = false;
};

// A load as its options describe it, made ready: the options checked, each record type planned
// by the lineage that the import recorded, the target open and checked to be none of the
// load's inputs. vorq load and the load window run it alike, each wording the failures in its
// own terms.
class LoadRun {
public:
    // Raises UsageError for options that do not go together, vorq::Error for the rest.
    LoadRun(const AppContext& context, const LoadOptions& options);

    // Loads in one transaction; the loader's errors (load::TargetNotEmpty,
    // load::RecordNotStored, load::LoadCancelled, vorq::Error) come out as they are.
    load::LoadSummary run(std::function<void(const load::LoadProgress&)> progress,
                          const std::atomic<bool>* cancel = nullptr);

    std::string targetName() const { return target_->name(); }
    // The longest record that the layouts describe.
    std::int64_t longestRecord() const { return longest_; }

private:
    std::string data_;
    load::CodePage page_;
    load::LoadSettings settings_;
    std::vector<std::pair<std::string, std::vector<load::RecordCondition>>> types_;
    workbench::Workbench wb_;
    load::ProjectLineage lineage_;
    std::vector<load::SourceItems> sources_;
    std::vector<load::LoadPlan> plans_;
    std::vector<const load::LoadPlan*> planned_;
    std::int64_t longest_ = 0;
    std::unique_ptr<load::RowTarget> target_;
};

} // namespace vorq::app
