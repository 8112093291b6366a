#include "load/DataExport.h"

#include "host/Error.h"
#include "load/TableQueries.h"
#include "sqlite/Sqlite.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

namespace vorq::load {
namespace {

using projectdb::CatalogTable;
using projectdb::ProjectCatalog;

nlohmann::ordered_json jsonOf(const Value& value) {
    if (value.isInteger())
        return value.toInt64();
    if (value.isReal())
        return value.toDouble();
    if (value.isText())
        return value.toString();
    return nullptr;
}

// A child table with the statement that reads its rows of one parent row.
struct Child {
    const CatalogTable* table;
    std::vector<std::pair<std::size_t, int>> keys; // parent column index, parameter number
    sqlite::Statement rows;
    std::vector<Child> children;
    std::vector<Value> values; // of the child row being written, kept for its own children
};

std::vector<Child> childrenOf(const sqlite::Connection& data, const ProjectCatalog& catalog,
                              const CatalogTable& parent) {
    std::vector<Child> children;
    for (const auto& [table, key] : childTablesOf(catalog, parent)) {
        ParentCondition condition = conditionOnParent(catalog, *key, parent);
        children.push_back({table,
                            std::move(condition.keys),
                            data.prepare(selectInKeyOrder(catalog, *table, condition.where)),
                            childrenOf(data, catalog, *table),
                            {}});
    }
    return children;
}

nlohmann::ordered_json rowObject(const sqlite::Statement& rows, const CatalogTable& table,
                                 std::vector<Child>& children, std::vector<Value>& values) {
    nlohmann::ordered_json row = nlohmann::ordered_json::object();
    values.clear();
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        values.push_back(rows.column(static_cast<int>(i)));
        row[table.columns[i].name] = jsonOf(values.back());
    }
    for (Child& child : children) {
        child.rows.reset();
        for (const auto& [index, number] : child.keys)
            child.rows.bind(number, values[index]);
        auto nested = nlohmann::ordered_json::array();
        while (child.rows.step())
            nested.push_back(rowObject(child.rows, *child.table, child.children, child.values));
        row[child.table->name] = std::move(nested);
    }
    return row;
}

std::string csvField(const Value& value) {
    if (value.isNull())
        return "";
    const std::string text =
        value.isReal() ? fmt::format("{}", value.toDouble()) : value.toString();
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string field = "\"";
    for (const char c : text)
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    return field + "\"";
}

void check(std::ostream& out, const std::string& table) {
    if (!out)
        throw Error("Cannot write the rows of " + table);
}

} // namespace

std::vector<const CatalogTable*> tableAndChildren(const ProjectCatalog& catalog,
                                                  const CatalogTable& table) {
    std::vector<const CatalogTable*> tables{&table};
    for (std::size_t i = 0; i < tables.size(); ++i)
        for (const auto& other : catalog.tables)
            for (const auto& key : other.foreignKeys)
                if (key.refTabId == tables[i]->id &&
                    std::find(tables.begin(), tables.end(), &other) == tables.end())
                    tables.push_back(&other);
    return tables;
}

std::int64_t exportJsonLines(const sqlite::Connection& data, const ProjectCatalog& catalog,
                             const CatalogTable& table, std::ostream& out) {
    auto rows = data.prepare(selectInKeyOrder(catalog, table, ""));
    auto children = childrenOf(data, catalog, table);
    std::vector<Value> values;
    std::int64_t written = 0;
    while (rows.step()) {
        out << rowObject(rows, table, children, values).dump() << '\n';
        check(out, table.name);
        ++written;
    }
    return written;
}

std::int64_t exportCsv(const sqlite::Connection& data, const ProjectCatalog& catalog,
                       const CatalogTable& table,
                       const std::function<std::ostream&(const std::string& table)>& streamFor) {
    std::int64_t written = 0;
    for (const CatalogTable* each : tableAndChildren(catalog, table)) {
        std::ostream& out = streamFor(each->name);
        std::string line;
        for (std::size_t i = 0; i < each->columns.size(); ++i)
            line += (i ? "," : "") + csvField(Value(each->columns[i].name));
        out << line << "\r\n";
        auto rows = data.prepare(selectInKeyOrder(catalog, *each, ""));
        while (rows.step()) {
            line.clear();
            for (std::size_t i = 0; i < each->columns.size(); ++i)
                line += (i ? "," : "") + csvField(rows.column(static_cast<int>(i)));
            out << line << "\r\n";
            ++written;
        }
        check(out, each->name);
    }
    return written;
}

} // namespace vorq::load
