#pragma once

#include "load/RecordReader.h"

#include <cstdint>
#include <vector>

namespace vorq::load {

class CodePage;
struct LoadPlan;

// Measures records that come without descriptor words: by the length field of the first plan
// that has one (its value plus adjust), else by the record length of the first plan whose
// conditions the record meets (a file of several record types, each its own length). Sets
// options.measure and options.measureBytes; raises vorq::Error when the plans give no way.
void measureRecords(const std::vector<const LoadPlan*>& plans, const CodePage& page,
                    std::int64_t adjust, RecordFormatOptions& options);

} // namespace vorq::load
