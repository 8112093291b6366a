#include "qt/RowsModel.h"

#include <QBrush>
#include <QPalette>
#include <climits>

namespace vorq::app {

void RowsModel::show(std::unique_ptr<load::TablePages> pages) {
    beginResetModel();
    pages_ = std::move(pages);
    read_.clear();
    readOrder_.clear();
    endResetModel();
}

const std::vector<Value>& RowsModel::values(int row) const {
    const std::int64_t page = row / kPageRows;
    auto found = read_.find(page);
    if (found == read_.end()) {
        if (read_.size() == kPagesKept) {
            read_.erase(readOrder_.front());
            readOrder_.pop_front();
        }
        found = read_.emplace(page, pages_->rows(page * kPageRows, kPageRows)).first;
        readOrder_.push_back(page);
    }
    static const std::vector<Value> gone; // rows removed since they were counted
    const auto at = static_cast<std::size_t>(row % kPageRows);
    return at < found->second.size() ? found->second[at] : gone;
}

int RowsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !pages_)
        return 0;
    return static_cast<int>(std::min<std::int64_t>(pages_->rowCount(), INT_MAX));
}

int RowsModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !pages_)
        return 0;
    return static_cast<int>(pages_->table().columns.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const {
    if (!pages_ || !index.isValid())
        return {};
    const std::vector<Value>& row = values(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (column >= row.size())
        return {};
    const Value& value = row[column];
    switch (role) {
    case Qt::DisplayRole:
        return value.isNull() ? QStringLiteral("NULL") : QString::fromStdString(value.toString());
    case Qt::ForegroundRole:
        return value.isNull() ? QVariant(QPalette().brush(QPalette::PlaceholderText)) : QVariant();
    case Qt::TextAlignmentRole:
        return value.isInteger() || value.isReal() ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !pages_)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    // The header may still ask for the sections of the rows shown before.
    const auto& columns = pages_->table().columns;
    return section >= 0 && static_cast<std::size_t>(section) < columns.size()
               ? QVariant(QString::fromStdString(columns[static_cast<std::size_t>(section)].name))
               : QVariant();
}

} // namespace vorq::app
