#include "JsonOutput.h"

#include "SourceListing.h"
#include "load/Loader.h"
#include "projectdb/ProjectCatalog.h"
#include "schematool/DdlWriter.h"
#include "workbench/Catalog.h"

namespace vorq::app {
namespace {

std::string columnName(const projectdb::ProjectCatalog& catalog, std::int32_t id) {
    const auto* column = catalog.column(id);
    return column ? column->name : "";
}

nlohmann::ordered_json named(const std::vector<OfferedSource>& sources) {
    auto out = nlohmann::ordered_json::array();
    for (const auto& s : sources)
        out.push_back({{"name", s.name}, {"path", s.path}});
    return out;
}

} // namespace

nlohmann::ordered_json tableJson(const projectdb::ProjectCatalog& catalog,
                                 const projectdb::CatalogTable& table) {
    auto columns = nlohmann::ordered_json::array();
    for (const auto& c : table.columns)
        columns.push_back({{"name", c.name},
                           {"type", schematool::columnType(c.type, c.precision, c.scale,
                                                           schematool::Dialect::SQLite)},
                           {"key", catalog.isKeyColumn(table, c.id)},
                           {"nullable", c.nullable}});
    auto key = nlohmann::ordered_json::array();
    for (const auto id : table.primaryKey)
        key.push_back(columnName(catalog, id));
    auto foreignKeys = nlohmann::ordered_json::array();
    for (const auto& k : table.foreignKeys) {
        auto pairs = nlohmann::ordered_json::array();
        for (const auto& [column, referenced] : k.columnPairs)
            pairs.push_back({{"column", columnName(catalog, column)},
                             {"referenced", columnName(catalog, referenced)}});
        const auto* parent = catalog.table(k.refTabId);
        foreignKeys.push_back(
            {{"name", k.name}, {"references", parent ? parent->name : ""}, {"columns", pairs}});
    }
    return {{"name", table.name},
            {"id", table.id},
            {"columns", columns},
            {"primaryKey", key},
            {"foreignKeys", foreignKeys}};
}

nlohmann::ordered_json tablesJson(const projectdb::ProjectCatalog& catalog) {
    auto tables = nlohmann::ordered_json::array();
    for (const auto& t : catalog.tables)
        tables.push_back(tableJson(catalog, t));
    return {{"tables", tables}};
}

nlohmann::ordered_json sourcesJson(workbench::Workbench& wb) {
    const OfferedSources sources = offeredSources(wb);
    auto ports = nlohmann::ordered_json::array();
    for (const auto& p : sources.ports)
        ports.push_back({{"program", p.program}, {"ports", p.ports}});
    return {{"copybooks", named(sources.copybooks)},
            {"programs", named(sources.programs)},
            {"ports", ports}};
}

nlohmann::ordered_json logJson(const std::vector<workbench::LogEntry>& entries) {
    auto out = nlohmann::ordered_json::array();
    for (const auto& e : entries)
        out.push_back({{"run", e.run},
                       {"at", e.at},
                       {"category", e.category},
                       {"error", e.isError},
                       {"title", e.title},
                       {"text", e.text}});
    return {{"entries", out}};
}

nlohmann::ordered_json layoutJson(const std::vector<cobol::LayoutRow>& rows) {
    auto out = nlohmann::ordered_json::array();
    for (const auto& row : rows) {
        if (!row.heading.empty())
            continue;
        out.push_back({{"level", row.level},
                       {"name", row.name},
                       {"picture", row.picture},
                       {"usage", row.usage},
                       {"offset", row.offset},
                       {"length", row.length},
                       {"occurs", row.occurs},
                       {"redefines", row.redefines},
                       {"group", row.group},
                       {"program", row.program},
                       {"section", row.section}});
    }
    return out;
}

nlohmann::ordered_json loadJson(const std::string& data, const std::string& target,
                                const load::LoadSummary& summary) {
    nlohmann::ordered_json tables = nlohmann::ordered_json::array();
    for (const auto& [table, rows] : summary.rowsPerTable)
        tables.push_back({{"name", table}, {"rows", rows}});
    nlohmann::ordered_json leftOutBy = nlohmann::ordered_json::object();
    for (const auto& [reason, count] : summary.leftOutBy)
        leftOutBy[reason] = count;
    return {{"data", data},
            {"target", target},
            {"records", summary.records},
            {"skipped", summary.skipped},
            {"withErrors", summary.withErrors},
            {"leftOut", summary.rejected},
            {"leftOutBy", leftOutBy},
            {"longer", summary.longer},
            {"replaced", summary.replaced},
            {"framing", summary.framing},
            {"tables", tables},
            {"columnsWithoutSource", summary.columnsWithoutSource},
            {"bytes", summary.bytes},
            {"seconds", summary.seconds}};
}

std::string jsonText(const nlohmann::ordered_json& document) {
    return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace vorq::app
