#include "load/TablePages.h"

#include "host/Error.h"
#include "load/TableQueries.h"
#include "sqlite/Sqlite.h"

namespace vorq::load {
namespace {

const projectdb::CatalogTable& loaded(const sqlite::Connection& data,
                                      const projectdb::CatalogTable& table) {
    if (!data.hasTable(table.name))
        throw Error("No rows of " + table.name + " are loaded into " + data.path().string());
    return table;
}

} // namespace

TablePages::TablePages(const sqlite::Connection& data, const projectdb::ProjectCatalog& catalog,
                       const projectdb::CatalogTable& table)
    : data_(data), table_(loaded(data, table)), select_(selectInKeyOrder(catalog, table, "")) {
    count_ = countRows("");
}

TablePages::TablePages(const sqlite::Connection& data, const projectdb::ProjectCatalog& catalog,
                       const projectdb::CatalogTable& child,
                       const projectdb::CatalogForeignKey& key,
                       const projectdb::CatalogTable& parent, const std::vector<Value>& parentRow)
    : data_(data), table_(loaded(data, child)) {
    const ParentCondition condition = conditionOnParent(catalog, key, parent);
    select_ = selectInKeyOrder(catalog, child, condition.where);
    parameters_.resize(condition.keys.size());
    for (const auto& [index, number] : condition.keys)
        parameters_[static_cast<std::size_t>(number - 1)] = parentRow.at(index);
    count_ = countRows(condition.where);
}

std::int64_t TablePages::countRows(const std::string& where) const {
    auto count = data_.prepare(countOf(table_, where));
    for (std::size_t i = 0; i < parameters_.size(); ++i)
        count.bind(static_cast<int>(i + 1), parameters_[i]);
    count.step();
    return count.integer(0);
}

std::vector<std::vector<Value>> TablePages::rows(std::int64_t first, int count) const {
    const int limit = static_cast<int>(parameters_.size()) + 1;
    auto page = data_.prepare(select_ + " LIMIT ?" + std::to_string(limit) + " OFFSET ?" +
                              std::to_string(limit + 1));
    for (std::size_t i = 0; i < parameters_.size(); ++i)
        page.bind(static_cast<int>(i + 1), parameters_[i]);
    page.bind(limit, std::int64_t{count}).bind(limit + 1, first);
    std::vector<std::vector<Value>> rows;
    while (page.step()) {
        rows.emplace_back();
        for (std::size_t c = 0; c < table_.columns.size(); ++c)
            rows.back().push_back(page.column(static_cast<int>(c)));
    }
    return rows;
}

} // namespace vorq::load
