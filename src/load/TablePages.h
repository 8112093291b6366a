#pragma once

#include "host/Value.h"
#include "projectdb/ProjectCatalog.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorq::sqlite {
class Connection;
}

namespace vorq::load {

// The loaded rows of one table, read a page at a time in the order of its key, so that a view
// of millions of rows holds only the pages it shows.
class TablePages {
public:
    // Every row of the table. A target without the table raises vorq::Error.
    TablePages(const sqlite::Connection& data, const projectdb::ProjectCatalog& catalog,
               const projectdb::CatalogTable& table);
    // The rows of a child table that belong to one row of its parent (parentRow: the parent's
    // values in the order of its columns).
    TablePages(const sqlite::Connection& data, const projectdb::ProjectCatalog& catalog,
               const projectdb::CatalogTable& child, const projectdb::CatalogForeignKey& key,
               const projectdb::CatalogTable& parent, const std::vector<Value>& parentRow);

    const projectdb::CatalogTable& table() const { return table_; }
    // Counted once, when the pages are made.
    std::int64_t rowCount() const { return count_; }
    // Up to count rows from the first'th (0-based), each its columns' values.
    std::vector<std::vector<Value>> rows(std::int64_t first, int count) const;

private:
    std::int64_t countRows(const std::string& where) const;

    const sqlite::Connection& data_;
    const projectdb::CatalogTable& table_;
    std::string select_;
    std::vector<Value> parameters_;
    std::int64_t count_ = 0;
};

} // namespace vorq::load
