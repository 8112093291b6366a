#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace vorq::projectdb {
class SqlProjectDatabase;
}

namespace vorq::schematool {

// What the table services remember of the project's tables and foreign-key names: read in one
// query each, kept while the database's generation of those tables holds (a transaction's
// start, a rollback or a statement of the component's drops it), and added to as the services
// write. It saves a statement per name looked up, which on a server is a round trip.
class KnownTables {
public:
    struct Table {
        std::string name;
        std::int32_t primaryIndex = 0;
    };

    explicit KnownTables(projectdb::SqlProjectDatabase& db) : db_(db) {}

    // The table, or nullptr when the project has none with that id.
    Table* table(std::int32_t tabId);
    // True when a table has the name, compared without regard to case.
    bool nameTaken(const std::string& name);
    void tableAdded(std::int32_t tabId, const std::string& name);
    bool keyNameTaken(const std::string& name);
    void keyAdded(const std::string& name);

private:
    void readTables();
    void readKeys();

    projectdb::SqlProjectDatabase& db_;
    std::unordered_map<std::int32_t, Table> tables_;
    std::unordered_set<std::string> tableNames_; // in lower case
    std::uint64_t tablesGeneration_ = ~std::uint64_t{0};
    std::unordered_set<std::string> keyNames_; // in lower case
    std::uint64_t keysGeneration_ = ~std::uint64_t{0};
};

} // namespace vorq::schematool
