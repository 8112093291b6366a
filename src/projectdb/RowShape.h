#pragma once

#include <string>
#include <vector>

namespace vorq::projectdb {

// The table and columns of rows that are added again and again, with the statement texts an
// engine needs made once, not per row.
class RowShape {
public:
    // idColumn: the automatic id that the row gets ("" for a table without one).
    RowShape(std::string table, std::string idColumn, std::vector<std::string> columns);

    const std::string& table() const { return table_; }
    const std::string& idColumn() const { return idColumn_; }
    // INSERT INTO table (columns) VALUES (?1, ...)
    const std::string& insert() const { return insert_; }
    // The columns that a row gives values for, the id column left out.
    const std::vector<std::string>& columns() const { return columns_; }
    // INSERT INTO table (columns), with the id column first when withId: the start of a
    // statement that adds many rows at once.
    const std::string& insertHead(bool withId) const { return withId ? headWithId_ : head_; }

private:
    std::string table_;
    std::string idColumn_;
    std::vector<std::string> columns_;
    std::string insert_;
    std::string head_;
    std::string headWithId_;
};

} // namespace vorq::projectdb
