#include "schematool/DdlWriter.h"

#include "host/Error.h"
#include "host/TypeCodes.h"
#include "projectdb/ProjectCatalog.h"
#include "schematool/SqlIdentifiers.h"

#include <algorithm>
#include <cctype>
#include <fmt/core.h>
#include <map>
#include <set>

namespace vorq::schematool {

std::string ddlName(const std::string& name) {
    const bool plain =
        !name.empty() && (std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_') &&
        std::all_of(name.begin(), name.end(),
                    [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
    if (plain && !isReservedWord(name))
        return name;
    std::string result = "\"";
    for (char c : name)
        result += c == '"' ? std::string("\"\"") : std::string(1, c);
    return result + "\"";
}

namespace {

std::string columnList(const projectdb::CatalogTable& table,
                       const projectdb::ProjectCatalog& catalog,
                       const std::vector<std::int32_t>& ids) {
    std::string list;
    for (const auto columnId : ids) {
        const projectdb::CatalogColumn* c = catalog.column(columnId);
        list += (list.empty() ? "" : ", ") + ddlName(c ? c->name : "?" + table.name);
    }
    return list;
}

// Tables with every referenced table before them; ties and cycles in order of id.
std::vector<const projectdb::CatalogTable*> parentsFirst(const projectdb::ProjectCatalog& catalog) {
    std::vector<const projectdb::CatalogTable*> order;
    std::set<std::int32_t> placed;
    while (order.size() < catalog.tables.size()) {
        const projectdb::CatalogTable* next = nullptr;
        for (const auto& t : catalog.tables) {
            if (placed.count(t.id))
                continue;
            const bool ready =
                std::all_of(t.foreignKeys.begin(), t.foreignKeys.end(), [&](auto& k) {
                    return k.refTabId == t.id || placed.count(k.refTabId) ||
                           !catalog.table(k.refTabId);
                });
            if (ready) {
                next = &t;
                break;
            }
        }
        if (!next) // a cycle: take the lowest id left; its back references become ALTERs
            for (const auto& t : catalog.tables)
                if (!placed.count(t.id)) {
                    next = &t;
                    break;
                }
        placed.insert(next->id);
        order.push_back(next);
    }
    return order;
}

} // namespace

Dialect dialectNamed(std::string_view name) {
    if (name == "sqlite")
        return Dialect::SQLite;
    if (name == "postgresql")
        return Dialect::PostgreSQL;
    if (name == "db2")
        return Dialect::DB2;
    throw Error("Unknown SQL dialect " + std::string(name) + " (use sqlite, postgresql or db2)");
}

bool sqliteKeepsDecimal(int precision, int scale) {
    // NUMERIC affinity stores a whole number that fits 64 bits as an integer, and any other
    // number as a double, which holds 15 significant digits.
    return scale == 0 ? precision <= 18 : precision <= 15;
}

std::string columnType(int type, int precision, int scale, Dialect dialect) {
    const int n = std::max(precision, 1);
    switch (type) {
    case kTypeBoolean:
        return "BOOLEAN";
    case kTypeSmallInt:
        return "SMALLINT";
    case kTypeInteger:
        return "INTEGER";
    case kTypeBigInt:
        return "BIGINT";
    case kTypeSingle:
        return "REAL";
    case kTypeDouble:
        return dialect == Dialect::PostgreSQL ? "DOUBLE PRECISION" : "DOUBLE";
    case kTypeDecimal:
        if (dialect == Dialect::SQLite && !sqliteKeepsDecimal(n, std::max(scale, 0)))
            return fmt::format("DECIMAL_TEXT({},{})", n, std::max(scale, 0));
        return fmt::format("{}({},{})", dialect == Dialect::PostgreSQL ? "NUMERIC" : "DECIMAL", n,
                           std::max(scale, 0));
    case kTypeTimestamp:
        return "TIMESTAMP";
    case kTypeBinary:
    case kTypeLongBinary:
        return dialect == Dialect::PostgreSQL ? "BYTEA" : "BLOB";
    case kTypeMemo:
        return dialect == Dialect::DB2 ? "CLOB" : "TEXT";
    case kTypeNChar:
        if (dialect == Dialect::DB2)
            return n <= 127 ? fmt::format("GRAPHIC({})", n) : fmt::format("VARGRAPHIC({})", n);
        return fmt::format("{}({})", dialect == Dialect::PostgreSQL ? "CHAR" : "NCHAR", n);
    case kTypeChar:
        if (dialect == Dialect::DB2 && n > 255)
            return fmt::format("VARCHAR({})", n);
        return fmt::format("CHAR({})", n);
    default:
        return fmt::format("VARCHAR({})", n);
    }
}

int columnLimit(Dialect dialect) {
    switch (dialect) {
    case Dialect::SQLite:
        return 2000;
    case Dialect::PostgreSQL:
        return 1600;
    case Dialect::DB2:
        return 750;
    }
    return 750;
}

namespace {

// The CREATE TABLE statement of one table. A foreign key to a table that is not yet created
// (when created is given) goes to deferred as an ALTER TABLE; with apart, every key goes there.
std::string createTable(const projectdb::ProjectCatalog& catalog,
                        const projectdb::CatalogTable& table, Dialect dialect,
                        const std::set<std::int32_t>* created, std::vector<std::string>& deferred,
                        TableKeys* apart = nullptr) {
    std::vector<std::string> lines;
    for (const auto& c : table.columns) {
        const bool notNull = !c.nullable || catalog.isKeyColumn(table, c.id);
        lines.push_back(fmt::format("    {} {}{}", ddlName(c.name),
                                    columnType(c.type, c.precision, c.scale, dialect),
                                    notNull ? " NOT NULL" : ""));
    }
    if (!table.primaryKey.empty()) {
        const std::string key =
            "PRIMARY KEY (" + columnList(table, catalog, table.primaryKey) + ")";
        if (apart)
            apart->primary.push_back("ALTER TABLE " + ddlName(table.name) + " ADD " + key);
        else
            lines.push_back("    " + key);
    }
    for (const auto& k : table.foreignKeys) {
        const projectdb::CatalogTable* parent = catalog.table(k.refTabId);
        if (!parent || k.columnPairs.empty())
            continue;
        std::vector<std::int32_t> mine, theirs;
        for (const auto& [column, referenced] : k.columnPairs) {
            mine.push_back(column);
            theirs.push_back(referenced);
        }
        const std::string constraint =
            fmt::format("CONSTRAINT {} FOREIGN KEY ({}) REFERENCES {} ({})", ddlName(k.name),
                        columnList(table, catalog, mine), ddlName(parent->name),
                        columnList(*parent, catalog, theirs));
        if (apart)
            apart->foreign.push_back("ALTER TABLE " + ddlName(table.name) + " ADD " + constraint);
        else if (!created || parent->id == table.id || created->count(parent->id))
            lines.push_back("    " + constraint);
        else
            deferred.push_back("ALTER TABLE " + ddlName(table.name) + " ADD " + constraint + ";\n");
    }
    if (lines.empty())
        return "-- " + ddlName(table.name) + " has no columns yet\n\n";
    std::string out = "CREATE TABLE " + ddlName(table.name) + " (\n";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += lines[i] + (i + 1 < lines.size() ? ",\n" : "\n");
    return out + ");\n\n";
}

} // namespace

std::string tableDdl(const projectdb::ProjectCatalog& catalog, const projectdb::CatalogTable& table,
                     Dialect dialect) {
    std::vector<std::string> none;
    return createTable(catalog, table, dialect, nullptr, none);
}

std::string tableDdlWithoutKeys(const projectdb::ProjectCatalog& catalog,
                                const projectdb::CatalogTable& table, Dialect dialect,
                                TableKeys& keys) {
    std::vector<std::string> none;
    return createTable(catalog, table, dialect, nullptr, none, &keys);
}

std::string writeDdl(const projectdb::ProjectCatalog& catalog, Dialect dialect) {
    std::string out;
    std::set<std::int32_t> created;
    std::vector<std::string> deferred;
    for (const projectdb::CatalogTable* t : parentsFirst(catalog)) {
        out += createTable(catalog, *t, dialect, &created, deferred);
        created.insert(t->id);
    }
    for (const auto& alter : deferred)
        out += alter;
    return out;
}

} // namespace vorq::schematool
