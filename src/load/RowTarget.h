#pragma once

#include "load/FieldDecoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorq::load {

struct LoadPlan;

// Whether other loads may add to the same tables while this one runs: the parts of one file.
enum class TableSharing { Alone, WithOtherLoads };

// Where loaded rows go: one transaction, tables numbered in the plans' order (each plan's
// table, then its child tables depth first; tablesInOrder).
class RowTarget {
public:
    virtual ~RowTarget() = default;

    // Readies the tables of the plans (making those that are missing) and begins the
    // transaction.
    virtual void begin(const std::vector<const LoadPlan*>& plans, TableSharing sharing) = 0;
    // The rows that a table holds already.
    virtual std::int64_t rowCount(int table) = 0;
    // Removes the rows of a table (within the transaction); returns how many there were.
    virtual std::int64_t removeRows(int table) = 0;
    // The first of count numbers for a made-up key column of a table that no other load gives
    // out: those after the table's largest for a load alone, and in turn after it.
    virtual std::int64_t reserveKeys(int table, const std::string& column, std::int64_t count) = 0;
    // Adds a row; false when the table's keys refuse it (a duplicate or a missing key value),
    // with the reason in refusal. Other failures raise vorq::Error.
    virtual bool insert(int table, const std::vector<FieldValue>& row, std::string& refusal) = 0;
    virtual void commit() = 0;
    // Undoes all since begin; never raises.
    virtual void rollback() noexcept = 0;
    // What messages call the target.
    virtual std::string name() const = 0;
};

} // namespace vorq::load
