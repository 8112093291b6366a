#pragma once

#include "load/LocalKeys.h"
#include "load/RowTarget.h"

namespace vorq::load {

// Takes every row and keeps none: the load's reading and decoding alone, for measuring them
// and for feeding them hostile files.
class DiscardingTarget : public RowTarget {
public:
    void begin(const std::vector<const LoadPlan*>&, TableSharing) override {}
    std::int64_t rowCount(int) override { return 0; }
    std::int64_t removeRows(int) override { return 0; }
    std::int64_t reserveKeys(int table, const std::string&, std::int64_t count) override {
        return keys_.reserve(table, count, [] { return 0; });
    }
    bool insert(int, const std::vector<FieldValue>&, std::string&) override { return true; }
    void commit() override {}
    void rollback() noexcept override {}
    std::string name() const override { return "nothing"; }

private:
    LocalKeys keys_;
};

} // namespace vorq::load
