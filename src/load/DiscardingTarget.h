#pragma once

#include "load/RowTarget.h"

namespace vorq::load {

// Takes every row and keeps none: the load's reading and decoding alone, for measuring them
// and for feeding them hostile files.
class DiscardingTarget : public RowTarget {
public:
    void begin(const std::vector<const LoadPlan*>&) override {}
    std::int64_t rowCount(int) override { return 0; }
    std::int64_t removeRows(int) override { return 0; }
    std::int64_t largestValue(int, const std::string&) override { return 0; }
    bool insert(int, const std::vector<FieldValue>&, std::string&) override { return true; }
    void commit() override {}
    void rollback() noexcept override {}
    std::string name() const override { return "nothing"; }
};

} // namespace vorq::load
