#pragma once

#include "load/SourceItems.h"

#include <map>
#include <memory>
#include <string>

namespace vorq::workbench {
class Workbench;
}

namespace vorq::load {

// The layout digests of the records that source references name, as an import records them
// with each table: each source is read once per run.
class LayoutDigests {
public:
    explicit LayoutDigests(workbench::Workbench& workbench) : workbench_(workbench) {}

    // The digest of the record that the reference's item lies in; "" when it names no item
    // of a source that the load can read.
    std::string of(const std::string& sourceReference);

private:
    workbench::Workbench& workbench_;
    std::map<std::string, std::unique_ptr<SourceItems>> sources_; // nullptr: not readable
};

} // namespace vorq::load
