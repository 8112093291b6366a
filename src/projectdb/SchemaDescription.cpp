#include "projectdb/SchemaDescription.h"

#include <vector>

namespace vorq::projectdb {
namespace {

enum class Kind { Id, Integer, Text };

struct Field {
    const char* name;
    Kind kind;
    const char* rule = "";          // "NOT NULL", "NOT NULL DEFAULT 1"
    const char* refTable = nullptr; // the table whose id field it holds
    const char* refField = nullptr;
};

struct IndexPart {
    const char* field;
    bool anyCase = false; // compared without regard to case
};

struct Index {
    const char* name;
    bool unique;
    std::vector<IndexPart> parts;
};

struct Table {
    const char* name;
    std::vector<Field> fields; // a table without an Id field keeps its rows in adding order
    std::vector<Index> indexes;
};

// Links are checked when a transaction commits: table generation saves key rows before the
// column row they name, and Tables and Indexes refer to each other.
const std::vector<Table>& projectTables() {
    static const std::vector<Table> tables = {
        {"Tables",
         {{"TabID", Kind::Id},
          {"TableName", Kind::Text, "NOT NULL"},
          {"PrimaryIndexID", Kind::Integer, "", "Indexes", "IndexID"},
          {"Description", Kind::Text},
          {"SourceKey", Kind::Text},
          {"Origin", Kind::Text},
          {"SourceReference", Kind::Text},
          {"CreatedAt", Kind::Text},
          {"LineageRole", Kind::Text},
          {"LineageOccurrence", Kind::Integer},
          {"LineageLayout", Kind::Text}},
         {{"TablesByName", true, {{"TableName", true}}}}},
        {"Columns",
         {{"ColumnID", Kind::Id},
          {"TabID", Kind::Integer, "NOT NULL", "Tables", "TabID"},
          {"ColumnName", Kind::Text, "NOT NULL"},
          {"Position", Kind::Integer},
          {"TypeID", Kind::Integer},
          {"Precision", Kind::Integer},
          {"Scale", Kind::Integer},
          {"Nullable", Kind::Integer, "NOT NULL DEFAULT 1"},
          {"Description", Kind::Text},
          {"Origin", Kind::Text},
          {"SourceReference", Kind::Text},
          {"CreatedAt", Kind::Text},
          {"LineageRole", Kind::Text},
          {"LineageOccurrence", Kind::Integer}},
         {{"ColumnsByName", true, {{"TabID"}, {"ColumnName", true}}},
          {"ColumnsByPosition", false, {{"TabID"}, {"Position"}}}}},
        {"Indexes",
         {{"IndexID", Kind::Id},
          {"TabID", Kind::Integer, "NOT NULL", "Tables", "TabID"},
          {"IndexName", Kind::Text, "NOT NULL"},
          {"IsPrimary", Kind::Integer, "NOT NULL DEFAULT 0"}},
         {{"IndexesByTable", false, {{"TabID"}}}}},
        {"IndexColumns",
         {{"IndexID", Kind::Integer, "NOT NULL", "Indexes", "IndexID"},
          {"ColumnID", Kind::Integer, "NOT NULL", "Columns", "ColumnID"},
          {"Direction", Kind::Text},
          {"Position", Kind::Integer}},
         {{"IndexColumnsByIndex", false, {{"IndexID"}}},
          {"IndexColumnsByColumn", false, {{"ColumnID"}}}}},
        {"ForeignKeys",
         {{"KeyID", Kind::Id},
          {"KeyName", Kind::Text, "NOT NULL"},
          {"TabID", Kind::Integer, "NOT NULL", "Tables", "TabID"},
          {"RefTabID", Kind::Integer, "NOT NULL", "Tables", "TabID"}},
         {{"ForeignKeysByTable", false, {{"TabID"}}},
          {"ForeignKeysByRefTable", false, {{"RefTabID"}}}}},
        {"ForeignKeyColumns",
         {{"KeyID", Kind::Integer, "NOT NULL", "ForeignKeys", "KeyID"},
          {"ColumnID", Kind::Integer, "NOT NULL", "Columns", "ColumnID"},
          {"RefColumnID", Kind::Integer, "NOT NULL", "Columns", "ColumnID"}},
         {{"ForeignKeyColumnsByKey", false, {{"KeyID"}}}}},
    };
    return tables;
}

constexpr const char* kDeferred = " DEFERRABLE INITIALLY DEFERRED";

// The statements in one engine's words: the type of each kind, how a row id and a field
// compared without case are written, and whether a link may name a table made after it.
struct Dialect {
    const char* id;
    const char* integer;
    const char* text;
    const char* rowOrder; // the field that keeps adding order, "" where the engine has one
    std::string (*anyCase)(const char* field);
    bool linksAhead;
};

// Whether the table named is made before the table given, or is that table.
bool madeBefore(const std::string& name, const Table& table) {
    for (const Table& t : projectTables()) {
        if (name == t.name)
            return true;
        if (&t == &table)
            return false;
    }
    return false;
}

std::string schemaIn(const Dialect& d) {
    std::string sql, laterLinks;
    for (const Table& table : projectTables()) {
        sql += "CREATE TABLE " + std::string(table.name) + " (\n";
        bool hasId = false;
        for (const Field& f : table.fields)
            hasId = hasId || f.kind == Kind::Id;
        std::string lines;
        if (!hasId && *d.rowOrder)
            lines += std::string("    ") + d.rowOrder;
        for (const Field& f : table.fields) {
            std::string line = std::string("    ") + f.name + " " +
                               (f.kind == Kind::Id        ? d.id
                                : f.kind == Kind::Integer ? d.integer
                                                          : d.text);
            if (*f.rule)
                line += std::string(" ") + f.rule;
            if (f.refTable) {
                const std::string link =
                    std::string("REFERENCES ") + f.refTable + " (" + f.refField + ")" + kDeferred;
                if (d.linksAhead || madeBefore(f.refTable, table))
                    line += " " + link;
                else
                    laterLinks += "ALTER TABLE " + std::string(table.name) + " ADD FOREIGN KEY (" +
                                  f.name + ") " + link + ";\n";
            }
            lines += (lines.empty() ? "" : ",\n") + line;
        }
        sql += lines + "\n);\n";
        for (const Index& index : table.indexes) {
            std::string parts;
            for (const IndexPart& p : index.parts)
                parts += (parts.empty() ? "" : ", ") +
                         (p.anyCase ? d.anyCase(p.field) : std::string(p.field));
            sql += std::string(index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                   index.name + " ON " + table.name + " (" + parts + ");\n";
        }
    }
    return sql + laterLinks;
}

} // namespace

std::vector<std::string> projectTableNames() {
    std::vector<std::string> names;
    for (const Table& table : projectTables())
        names.emplace_back(table.name);
    return names;
}

std::string sqliteProjectTables() {
    return schemaIn({"INTEGER PRIMARY KEY AUTOINCREMENT", "INTEGER", "TEXT", "",
                     [](const char* field) { return std::string(field) + " COLLATE NOCASE"; },
                     true});
}

std::string postgresProjectTables() {
    return schemaIn({"integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY", "integer", "text",
                     "rowid bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY",
                     [](const char* field) { return "lower(" + std::string(field) + ")"; }, false});
}

} // namespace vorq::projectdb
