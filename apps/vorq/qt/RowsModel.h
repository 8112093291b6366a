#pragma once

#include "load/TablePages.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

namespace vorq::app {

// A table view's model over loaded rows: it reads the page of rows that the view asks for
// and keeps a few pages, so that a million rows open and scroll as fast as a hundred.
class RowsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows these rows (none when null).
    void show(std::unique_ptr<load::TablePages> pages);
    const load::TablePages* pages() const { return pages_.get(); }
    // The values of a row, as read from the database.
    const std::vector<Value>& values(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    static constexpr int kPageRows = 256;
    static constexpr std::size_t kPagesKept = 16;

    std::unique_ptr<load::TablePages> pages_;
    mutable std::map<std::int64_t, std::vector<std::vector<Value>>> read_; // by page number
    mutable std::deque<std::int64_t> readOrder_;                           // oldest first
};

} // namespace vorq::app
