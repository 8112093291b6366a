#include "qt/MainWindow.h"

#include "AppContext.h"
#include "HostSession.h"
#include "host/Error.h"
#include "host/ReplaceFile.h"
#include "host/SourceReference.h"
#include "load/ProjectLineage.h"
#include "load/SourceItems.h"
#include "projectdb/ProjectCatalog.h"
#include "qt/BrowseDialog.h"
#include "qt/LoadDialog.h"
#include "qt/QtSession.h"
#include "schematool/DdlWriter.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <set>

namespace vorq::app {
namespace {

constexpr int kTableIdRole = Qt::UserRole + 1;
// Where the window's size and the places of its bars are kept between sessions.
constexpr const char* kGeometryKey = "mainWindow/geometry";
constexpr const char* kStateKey = "mainWindow/state";

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// A column's part in the keys: "primary key", "→ PARENT.COLUMN" for a foreign key, or both.
QString keyText(const projectdb::ProjectCatalog& catalog, const projectdb::CatalogTable& table,
                std::int32_t columnId) {
    QStringList parts;
    if (catalog.isKeyColumn(table, columnId))
        parts << MainWindow::tr("primary key");
    for (const auto& key : table.foreignKeys)
        for (const auto& [column, referenced] : key.columnPairs)
            if (column == columnId)
                if (const auto* parent = catalog.table(key.refTabId))
                    parts << QString::fromUtf8("\u2192 %1.%2")
                                 .arg(text(parent->name), text(catalog.column(referenced)->name));
    return parts.join(", ");
}

// A key drawn in the colour given: gold for a primary key column, blue for a foreign key;
// no colour draws nothing, which keeps the other columns' names in line.
QIcon keyIcon(const QColor& colour) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    if (!colour.isValid())
        return QIcon(picture);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(150), 1.2));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(1.5, 4.5, 7, 7)); // the bow
    painter.drawRect(QRectF(8, 7, 7, 2));        // the shank
    painter.drawRect(QRectF(12, 9, 1.5, 3));     // the bit
    return QIcon(picture);
}

// A table's node with its columns, then the tables that refer to it, below it.
void addTable(QTreeWidgetItem* parent, QTreeWidget* tree, const projectdb::ProjectCatalog& catalog,
              const projectdb::CatalogTable& table, schematool::Dialect dialect,
              std::set<std::int32_t>& placed) {
    placed.insert(table.id);
    auto* node = new QTreeWidgetItem(QStringList{text(table.name), QString(), QString()});
    node->setData(0, kTableIdRole, table.id);
    parent ? parent->addChild(node) : tree->addTopLevelItem(node);
    static const QIcon primary = keyIcon(QColor(0xE0, 0xB0, 0x20));
    static const QIcon foreign = keyIcon(QColor(0x50, 0x90, 0xD0));
    static const QIcon none = keyIcon(QColor());
    node->setIcon(0, QApplication::style()->standardIcon(QStyle::SP_FileDialogListView));
    for (const auto& c : table.columns) {
        auto* column = new QTreeWidgetItem(QStringList{
            text(c.name), text(schematool::columnType(c.type, c.precision, c.scale, dialect)),
            keyText(catalog, table, c.id)});
        column->setIcon(0, catalog.isKeyColumn(table, c.id)                             ? primary
                           : projectdb::ProjectCatalog::isForeignKeyColumn(table, c.id) ? foreign
                                                                                        : none);
        node->addChild(column);
    }
    for (const auto& child : catalog.tables)
        if (!placed.count(child.id))
            for (const auto& k : child.foreignKeys)
                if (k.refTabId == table.id) {
                    addTable(node, tree, catalog, child, dialect, placed);
                    break;
                }
}

} // namespace

MainWindow::MainWindow(const AppContext& context, QtSession& qt, HostSession& host)
    : context_(context), qt_(qt), host_(host),
      wb_(std::make_shared<workbench::Workbench>(context.ensureWorkspace())),
      tables_(new QTreeWidget(this)), ddl_(new QPlainTextEdit(this)), dialect_(new QComboBox(this)),
      problems_(new QListWidget(this)),
      problemsDock_(new QDockWidget(tr("Problems of the last verify"), this)),
      shown_(new QLabel(this)), lastImport_(new QLabel(this)) {
    setObjectName("mainWindow");
    setWindowTitle(tr("Tabulon - %1").arg(text(host.database->name())));
    resize(980, 640);

    tables_->setObjectName("tables");
    tables_->setHeaderLabels({tr("Table / column"), tr("Type"), tr("Key")});
    tables_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ddl_->setObjectName("ddl");
    ddl_->setReadOnly(true);
    ddl_->setFont(QFont("Liberation Mono"));
    ddl_->setLineWrapMode(QPlainTextEdit::NoWrap); // a clause is read on one line
    dialect_->setObjectName("dialect");
    dialect_->addItem("SQLite", "sqlite");
    dialect_->addItem("PostgreSQL", "postgresql");
    dialect_->addItem("DB2", "db2");

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* dialectRow = new QHBoxLayout;
    auto* dialectLabel = new QLabel(tr("SQL &dialect:"), right);
    dialectLabel->setBuddy(dialect_);
    dialectRow->addWidget(dialectLabel);
    dialectRow->addWidget(dialect_);
    dialectRow->addStretch(1);
    rightLayout->addLayout(dialectRow);
    rightLayout->addWidget(ddl_);
    auto* split = new QSplitter(this);
    split->addWidget(tables_);
    split->addWidget(right);
    split->setSizes({460, 520});
    setCentralWidget(split);

    problems_->setObjectName("problems");
    problemsDock_->setObjectName("problemsDock");
    problemsDock_->setWidget(problems_);
    addDockWidget(Qt::BottomDockWidgetArea, problemsDock_);
    problemsDock_->hide(); // until a verify has problems to list

    auto* verify = new QAction(tr("&Verify COBOL sources..."), this);
    verify->setShortcut(QKeySequence("Ctrl+O"));
    auto* import = new QAction(tr("&Import COBOL structures..."), this);
    import->setShortcut(QKeySequence("Ctrl+I"));
    auto* save = new QAction(tr("&Save DDL As..."), this);
    save->setShortcut(QKeySequence::Save);
    auto* quit = new QAction(tr("&Quit"), this);
    quit->setShortcut(QKeySequence::Quit);
    auto* copy = new QAction(tr("&Copy DDL"), this);
    copy->setShortcut(QKeySequence("Ctrl+Shift+C"));
    auto* about = new QAction(tr("&About Tabulon"), this);
    auto* load = new QAction(tr("&Load Data..."), this);
    load->setShortcut(QKeySequence("Ctrl+L"));
    auto* browse = new QAction(tr("&Browse Data..."), this);
    browse->setShortcut(QKeySequence("Ctrl+B"));
    QMenu* project = menuBar()->addMenu(tr("&Project"));
    project->addAction(verify);
    project->addAction(import);
    project->addAction(save);
    project->addSeparator();
    project->addAction(quit);
    menuBar()->addMenu(tr("&Edit"))->addAction(copy);
    QMenu* dataMenu = menuBar()->addMenu(tr("&Data"));
    dataMenu->addAction(load);
    dataMenu->addAction(browse);
    menuBar()->addMenu(tr("&Help"))->addAction(about);
    QToolBar* toolbar = addToolBar(tr("Actions"));
    toolbar->setObjectName("actions");
    toolbar->addAction(verify);
    toolbar->addAction(import);
    toolbar->addAction(load);
    toolbar->addAction(browse);

    shown_->setObjectName("shown");
    lastImport_->setObjectName("lastImport");
    statusBar()->addWidget(lastImport_, 1);
    statusBar()->addPermanentWidget(shown_);

    connect(verify, &QAction::triggered, this, [this] { chooseAndVerify(); });
    connect(import, &QAction::triggered, this, [this] { importStructures(); });
    connect(load, &QAction::triggered, this, [this] { loadData(); });
    connect(browse, &QAction::triggered, this, [this] { browseData(); });
    connect(save, &QAction::triggered, this, [this] { chooseAndSaveDdl(); });
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(copy, &QAction::triggered, this, [this] {
        QApplication::clipboard()->setText(ddl_->textCursor().hasSelection()
                                               ? ddl_->textCursor().selectedText()
                                               : ddl_->toPlainText());
    });
    connect(about, &QAction::triggered, this, [this] {
        QMessageBox::about(this, tr("About Tabulon"),
                           tr("Tabulon with vorq %1: COBOL record structures as relational "
                              "tables.")
                               .arg(QStringLiteral(VORQ_VERSION)));
    });
    connect(tables_, &QTreeWidget::currentItemChanged, this, [this] { showDdl(); });
    connect(dialect_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(problems_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { showProblem(problems_->row(item)); });
    host_.workspace->onRefresh = [this] { refresh(); };
    refresh();
    QSettings settings("vorq", "windows");
    restoreGeometry(settings.value(kGeometryKey).toByteArray());
    restoreState(settings.value(kStateKey).toByteArray());
}

MainWindow::~MainWindow() {
    host_.workspace->onRefresh = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QSettings settings("vorq", "windows");
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kStateKey, saveState());
    QMainWindow::closeEvent(event);
}

schematool::Dialect MainWindow::chosenDialect() const {
    return schematool::dialectNamed(dialect_->currentData().toString().toStdString());
}

QString MainWindow::chosenRootTable() const {
    const QTreeWidgetItem* item = tables_->currentItem();
    const QTreeWidgetItem* root = nullptr;
    for (; item; item = item->parent())
        if (item->data(0, kTableIdRole).isValid())
            root = item;
    return root ? root->text(0) : QString();
}

void MainWindow::loadData() {
    LoadDialog dialog(context_, projectdb::readCatalog(*host_.database), chosenRootTable(), this);
    dialog.exec();
}

void MainWindow::browseData() {
    BrowseDialog dialog(context_, projectdb::readCatalog(*host_.database), chosenRootTable(), this);
    dialog.exec();
}

QString MainWindow::describe(const std::string& reference) const {
    const auto parsed = parseReference(reference);
    if (!parsed)
        return text(reference);
    try {
        const auto items = load::SourceItems::open(*wb_, parsed->sourceKey);
        const load::SourceItem* item = items.item(parsed->itemId);
        return item ? tr("%1, item %2").arg(text(items.sourceName()), text(item->name))
                    : text(items.sourceName());
    } catch (const Error&) {
        return text(reference); // a source that is gone: its reference is all there is
    }
}

void MainWindow::chooseAndSaveDdl() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Save DDL As"), QString(),
                                                      tr("SQL files (*.sql);;All files (*)"));
    if (!path.isEmpty())
        saveDdl(path);
}

bool MainWindow::saveDdl(const QString& path) {
    const auto catalog = projectdb::readCatalog(*host_.database);
    try {
        replaceFile(path.toStdString(), schematool::writeDdl(catalog, chosenDialect()),
                    "the DDL file");
    } catch (const Error& e) {
        QMessageBox::critical(this, windowTitle(), text(e.description()));
        return false;
    }
    lastImport_->setText(tr("Saved the DDL of %1 table(s) to %2")
                             .arg(catalog.tables.size())
                             .arg(QFileInfo(path).fileName()));
    return true;
}

void MainWindow::refresh() {
    const auto catalog = projectdb::readCatalog(*host_.database);
    const QVariant chosen =
        tables_->currentItem() ? tables_->currentItem()->data(0, kTableIdRole) : QVariant();
    tables_->clear();
    std::set<std::int32_t> placed;
    for (const auto& t : catalog.tables) {
        if (!catalog.isChildTable(t) && !placed.count(t.id))
            addTable(nullptr, tables_, catalog, t, chosenDialect(), placed);
    }
    for (const auto& t : catalog.tables) // tables in a cycle of references
        if (!placed.count(t.id))
            addTable(nullptr, tables_, catalog, t, chosenDialect(), placed);
    tables_->expandToDepth(0);
    for (QTreeWidgetItemIterator it(tables_); *it; ++it)
        if (chosen.isValid() && (*it)->data(0, kTableIdRole) == chosen)
            tables_->setCurrentItem(*it);
    if (!tables_->currentItem() && tables_->topLevelItemCount() > 0)
        tables_->setCurrentItem(tables_->topLevelItem(0));
    // Naming the item reads its source's repository: only when another item is shown.
    if (const std::string& reference = host_.workspace->shownReference; reference != shownFor_) {
        shownFor_ = reference;
        shown_->setText(reference.empty() ? QString() : tr("Shown: %1").arg(describe(reference)));
    }
    showDdl();
}

void MainWindow::showDdl() {
    QTreeWidgetItem* item = tables_->currentItem();
    while (item && !item->data(0, kTableIdRole).isValid())
        item = item->parent(); // a column shows its table
    if (!item) {
        ddl_->setPlainText(tr("-- the project has no tables yet: verify COBOL sources, then "
                              "import their structures"));
        return;
    }
    const auto catalog = projectdb::readCatalog(*host_.database);
    const auto* table = catalog.table(item->data(0, kTableIdRole).toInt());
    ddl_->setPlainText(table ? text(schematool::tableDdl(catalog, *table, chosenDialect()))
                             : QString());
}

void MainWindow::chooseAndVerify() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, tr("Verify COBOL sources"), QString(),
        tr("COBOL sources (*.cpy *.cbl *.cob *.cobol *.copy *.CPY *.CBL *.COB);;All files (*)"));
    if (!files.isEmpty())
        verifySources(files);
}

void MainWindow::verifySources(const QStringList& files) {
    std::vector<std::string> folders;
    for (const QString& file : files)
        folders.push_back(QFileInfo(file).absolutePath().toStdString());
    cobol::DiskFileReader disk;
    workbench::Verifier verifier(
        *wb_, disk,
        {folders, cobol::kMaxExpandedBytes,
         tr("choose a file of its folder too, so that the folder is searched").toStdString(),
         tr("the bound on member text").toStdString()});
    problems_->clear();
    listed_.clear();
    QProgressDialog progress(tr("Verifying COBOL sources"), tr("Stop"), 0,
                             static_cast<int>(files.size()), this);
    progress.setWindowModality(Qt::WindowModal);
    int failed = 0;
    for (int i = 0; i < files.size() && !progress.wasCanceled(); ++i) {
        progress.setValue(i);
        progress.setLabelText(tr("Verifying %1").arg(QFileInfo(files[i]).fileName()));
        const auto outcome = verifier.verify(files[i].toStdString());
        failed += outcome.verified ? 0 : 1;
        for (const auto& d : outcome.diagnostics.all()) {
            listed_.push_back(d);
            problems_->addItem(
                text(d.file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " +
                     (d.severity == cobol::Diagnostic::Severity::Error ? "error: " : "warning: ") +
                     d.message));
        }
    }
    progress.setValue(static_cast<int>(files.size()));
    problemsDock_->setVisible(!listed_.empty());
    lastImport_->setText(
        tr("Verified %1 of %2 sources").arg(files.size() - failed).arg(files.size()));
}

void MainWindow::showProblem(int row) {
    if (row < 0 || row >= static_cast<int>(listed_.size()))
        return;
    const cobol::Diagnostic& d = listed_[static_cast<std::size_t>(row)];
    QDialog viewer(this);
    viewer.setObjectName("sourceViewer");
    viewer.setWindowTitle(text(d.file));
    viewer.resize(720, 420);
    auto* source = new QPlainTextEdit(&viewer);
    source->setReadOnly(true);
    source->setFont(QFont("Liberation Mono"));
    QFile file(text(d.file));
    source->setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                        : text(d.sourceLine));
    auto* message = new QLabel(text(d.message), &viewer);
    message->setWordWrap(true);
    auto* layout = new QVBoxLayout(&viewer);
    layout->addWidget(message);
    layout->addWidget(source);
    QTextCursor at(source->document()->findBlockByNumber(std::max(0, d.line - 1)));
    at.select(QTextCursor::LineUnderCursor);
    source->setTextCursor(at);
    source->centerCursor();
    viewer.exec();
}

void MainWindow::importStructures() {
    bool imported = false;
    try {
        imported = host_.runComponent(context_, wb_);
    } catch (const std::exception& e) {
        QMessageBox::critical(this, windowTitle(), text(e.what()));
        return;
    }
    refresh();
    const schematool::SchemaWorkspace& workspace = *host_.workspace;
    if (!imported) {
        lastImport_->setText(tr("The last import dialog was closed without an import"));
        return;
    }
    const auto catalog = projectdb::readCatalog(*host_.database);
    QStringList names;
    for (const auto id : workspace.tablesAdded)
        if (const auto* t = catalog.table(id))
            names << text(t->name);
    lastImport_->setText(
        names.isEmpty()
            ? tr("The last import added columns to a table")
            : tr("The last import made %1 table(s): %2").arg(names.size()).arg(names.join(", ")));
}

QString MainWindow::statusText() const {
    return lastImport_->text();
}

} // namespace vorq::app
