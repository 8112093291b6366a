#pragma once

#include <string>
#include <vector>

namespace vorq::schematool {

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
    // INSERT INTO table (columns) VALUES , with the id column first when withId: the start of
    // a statement that adds many rows written as literals.
    const std::string& valuesPrefix(bool withId) const { return withId ? prefixWithId_ : prefix_; }

private:
    std::string table_;
    std::string idColumn_;
    std::string insert_;
    std::string prefix_;
    std::string prefixWithId_;
};

} // namespace vorq::schematool
