#include "qt/BrowseDialog.h"

#include "AppContext.h"
#include "host/Error.h"
#include "load/TableQueries.h"
#include "qt/RowsModel.h"
#include "sqlite/Sqlite.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace vorq::app {
namespace {

QTableView* rowsView(QWidget* parent, const char* name, RowsModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is as high as the first: the view never measures a million rows.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    return view;
}

} // namespace

BrowseDialog::BrowseDialog(const AppContext& context, projectdb::ProjectCatalog catalog,
                           const QString& table, QWidget* parent)
    : QDialog(parent), catalog_(std::move(catalog)), table_(new QComboBox(this)),
      childTable_(new QComboBox(this)), counts_(new QLabel(this)),
      parentModel_(new RowsModel(this)), childModel_(new RowsModel(this)) {
    setObjectName("browseDialog");
    setWindowTitle(tr("Browse Data"));
    resize(900, 600);
    rows_ = rowsView(this, "rows", parentModel_);
    childRows_ = rowsView(this, "childRows", childModel_);
    table_->setObjectName("table");
    for (const auto& t : catalog_.tables)
        if (!catalog_.isChildTable(t))
            table_->addItem(QString::fromStdString(t.name), t.id);
    table_->setCurrentIndex(std::max(0, table_->findText(table)));
    childTable_->setObjectName("childTable");
    counts_->setObjectName("counts");

    auto* form = new QFormLayout;
    form->addRow(tr("&Table:"), table_);
    auto* below = new QWidget(this);
    auto* belowForm = new QFormLayout(below);
    belowForm->setContentsMargins(0, 0, 0, 0);
    belowForm->addRow(tr("Rows of the c&hild table:"), childTable_);
    belowForm->addRow(childRows_);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(rows_);
    split->addWidget(below);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(split, 1);
    layout->addWidget(counts_);

    const std::filesystem::path target = context.workspace / "data.db";
    try {
        data_ = std::make_unique<sqlite::Connection>(target, sqlite::Connection::Mode::ReadOnly);
    } catch (const Error&) {
        counts_->setText(tr("Nothing is loaded yet into %1: Load Data loads a data file.")
                             .arg(QString::fromStdString(target.string())));
    }
    connect(table_, &QComboBox::currentIndexChanged, this, [this] { showTable(); });
    connect(childTable_, &QComboBox::currentIndexChanged, this, [this] { showChildRows(); });
    connect(rows_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showChildRows(); });
    showTable();
    rows_->setFocus();
}

BrowseDialog::~BrowseDialog() {
    // The views outlive the catalog and the connection (Qt deletes children last): they must
    // not read the pages again.
    childModel_->show(nullptr);
    parentModel_->show(nullptr);
}

void BrowseDialog::showTable() {
    childModel_->show(nullptr);
    parentModel_->show(nullptr);
    childTable_->clear();
    const auto* table = catalog_.table(table_->currentData().toInt());
    if (!data_ || !table)
        return;
    try {
        parentModel_->show(std::make_unique<load::TablePages>(*data_, catalog_, *table));
    } catch (const Error& e) {
        counts_->setText(QString::fromStdString(e.description()));
        return;
    }
    const QSignalBlocker quiet(childTable_);
    for (const auto& [child, key] : load::childTablesOf(catalog_, *table))
        childTable_->addItem(QString::fromStdString(child->name), child->id);
    rows_->resizeColumnsToContents(); // measures the first thousand rows, not all
    counts_->setText(tr("%1: %L2 rows").arg(table_->currentText()).arg(parentModel_->rowCount()));
    if (parentModel_->rowCount() > 0)
        rows_->selectRow(0);
}

void BrowseDialog::showChildRows() {
    childModel_->show(nullptr);
    const int row = rows_->currentIndex().row();
    const auto* parent = catalog_.table(table_->currentData().toInt());
    const auto* child = catalog_.table(childTable_->currentData().toInt());
    if (row < 0 || !parent || !child || !parentModel_->pages() || parentModel_->values(row).empty())
        return;
    for (const auto& [table, key] : load::childTablesOf(catalog_, *parent))
        if (table == child) {
            try {
                childModel_->show(std::make_unique<load::TablePages>(
                    *data_, catalog_, *child, *key, *parent, parentModel_->values(row)));
                childRows_->resizeColumnsToContents();
            } catch (const Error& e) {
                counts_->setText(QString::fromStdString(e.description()));
            }
            return;
        }
}

} // namespace vorq::app
