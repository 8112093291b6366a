#include "qt/LoadDialog.h"

#include "AppContext.h"
#include "load/CodePage.h"
#include "load/RejectFile.h"
#include "projectdb/ProjectCatalog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <fstream>

namespace vorq::app {
namespace {

// More rejected records than this are left to the reject file; the list says so.
constexpr int kListedRejects = 10'000;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QComboBox* choices(QWidget* parent, const char* name,
                   const std::vector<std::pair<QString, QString>>& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const auto& [caption, value] : items)
        combo->addItem(caption, value);
    return combo;
}

} // namespace

LoadDialog::LoadDialog(const AppContext& context, const projectdb::ProjectCatalog& catalog,
                       const QString& table, QWidget* parent)
    : QDialog(parent), context_(context), table_(new QComboBox(this)), data_(new QLineEdit(this)),
      encoding_(new QComboBox(this)),
      format_(choices(this, "format",
                      {{tr("Fixed length"), "fixed"},
                       {tr("Variable, after record descriptor words (RDW)"), "rdw"},
                       {tr("Variable, in blocks (RDW and BDW)"), "rdw-bdw"},
                       {tr("Text, a record a line"), "text"}})),
      existing_(choices(this, "existingRows",
                        {{tr("Refuse to load into them"), "refuse"},
                         {tr("Add the records to them"), "append"},
                         {tr("Replace them"), "replace"}})),
      badFields_(choices(this, "badFields",
                         {{tr("Load the record, the field empty (NULL)"), "null"},
                          {tr("Leave the record out"), "leave"}})),
      maxErrors_(new QSpinBox(this)), progress_(new QProgressBar(this)), rate_(new QLabel(this)),
      summary_(new QPlainTextEdit(this)), rejects_(new QTableWidget(0, 5, this)),
      load_(new QPushButton(tr("&Load"), this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Close, this)) {
    setObjectName("loadDialog");
    setWindowTitle(tr("Load Data"));
    resize(640, 560);

    table_->setObjectName("table");
    for (const auto& t : catalog.tables)
        if (!catalog.isChildTable(t))
            table_->addItem(text(t.name));
    table_->setCurrentIndex(std::max(0, table_->findText(table)));
    data_->setObjectName("dataFile");
    auto* browse = new QPushButton(tr("&Browse..."), this);
    auto* dataRow = new QHBoxLayout;
    dataRow->addWidget(data_, 1);
    dataRow->addWidget(browse);
    encoding_->setObjectName("encoding");
    encoding_->setEditable(true); // any page of the system's converter, by its name
    for (const char* page : {"cp037", "cp1047", "cp500", "cp273", "ascii", "latin1", "utf-8"})
        encoding_->addItem(page);
    for (const std::string& page : load::CodePage::ebcdicPages())
        if (encoding_->findText(text(page)) < 0)
            encoding_->addItem(text(page));
    maxErrors_->setObjectName("maxErrors");
    maxErrors_->setRange(-1, 999'999'999);
    maxErrors_->setValue(-1);
    maxErrors_->setSpecialValueText(tr("never"));

    auto* form = new QFormLayout;
    form->addRow(tr("&Table:"), table_);
    auto* dataLabel = new QLabel(tr("&Data file:"), this);
    dataLabel->setBuddy(data_);
    form->addRow(dataLabel, dataRow);
    form->addRow(tr("&Code page:"), encoding_);
    form->addRow(tr("Record &format:"), format_);
    form->addRow(tr("Rows already in the tables:"), existing_);
    form->addRow(tr("A record with a bad field:"), badFields_);
    form->addRow(tr("Stop after this many records with errors:"), maxErrors_);

    progress_->setObjectName("progress");
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    rate_->setObjectName("rate");
    summary_->setObjectName("summary");
    summary_->setReadOnly(true);
    summary_->setMaximumBlockCount(1000);
    rejects_->setObjectName("rejects");
    rejects_->setHorizontalHeaderLabels(
        {tr("Record"), tr("Offset"), tr("Column"), tr("Bytes"), tr("Reason")});
    rejects_->horizontalHeader()->setStretchLastSection(true);
    rejects_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    load_->setObjectName("load");
    load_->setDefault(true);
    buttons_->addButton(load_, QDialogButtonBox::ActionRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(progress_);
    layout->addWidget(rate_);
    layout->addWidget(summary_, 1);
    layout->addWidget(rejects_, 1);
    layout->addWidget(buttons_);

    if (table_->count() == 0) {
        load_->setEnabled(false);
        summary_->setPlainText(
            tr("The project has no tables yet: import COBOL structures first, then load their "
               "data."));
    }
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, tr("Data file"), data_->text());
        if (!file.isEmpty())
            data_->setText(file);
    });
    connect(load_, &QPushButton::clicked, this, [this] { startLoad(); });
    connect(buttons_, &QDialogButtonBox::rejected, this, &LoadDialog::reject);
    data_->setFocus();
}

LoadDialog::~LoadDialog() {
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

QString LoadDialog::rejectFile() const {
    return text((context_.workspace / ("rejects-" + table_->currentText().toStdString() + ".tsv"))
                    .string());
}

LoadOptions LoadDialog::chosenOptions() const {
    LoadOptions options;
    options.table = table_->currentText().toStdString();
    options.data = data_->text().trimmed().toStdString();
    options.encoding = encoding_->currentText().trimmed().toStdString();
    const QString format = format_->currentData().toString();
    options.format = format == "rdw-bdw" ? "rdw" : format.toStdString();
    options.blockDescriptors = format == "rdw-bdw";
    options.append = existing_->currentData() == "append";
    options.replace = existing_->currentData() == "replace";
    options.rejectRecords = badFields_->currentData() == "leave";
    options.maxErrors = maxErrors_->value();
    options.rejects = rejectFile().toStdString();
    return options;
}

bool LoadDialog::startLoad() {
    if (running() || table_->count() == 0)
        return false;
    summary_->clear();
    rejects_->setRowCount(0);
    const LoadOptions options = chosenOptions();
    if (options.data.empty()) {
        summary_->setPlainText(tr("Choose the data file to load."));
        data_->setFocus();
        return false;
    }
    try {
        run_ = std::make_unique<LoadRun>(context_, options);
    } catch (const std::exception& e) {
        summary_->setPlainText(tr("The load cannot start: %1").arg(text(e.what())));
        return false;
    }
    setEditable(false);
    cancel_ = false;
    failure_ = nullptr;
    progress_->setValue(0);
    rate_->setText(tr("Starting the load of %1").arg(data_->text()));
    worker_ = std::thread([this] {
        try {
            result_ = run_->run(
                [this](const load::LoadProgress& p) {
                    QMetaObject::invokeMethod(
                        this, [this, p] { showProgress(p); }, Qt::QueuedConnection);
                },
                &cancel_);
        } catch (...) {
            failure_ = std::current_exception();
        }
        QMetaObject::invokeMethod(
            this, [this] { finished(); }, Qt::QueuedConnection);
    });
    return true;
}

void LoadDialog::showProgress(const load::LoadProgress& p) {
    if (p.fileSize <= 0) { // a stream: its end is not known
        progress_->setRange(0, 0);
        rate_->setText(
            tr("%L1 records, %2 MB/s").arg(p.records).arg(p.megabytesPerSecond(), 0, 'f', 1));
        return;
    }
    progress_->setValue(static_cast<int>(1000 * p.bytesRead / p.fileSize));
    rate_->setText(tr("%L1 records, %2 MB/s, %3 s left")
                       .arg(p.records)
                       .arg(p.megabytesPerSecond(), 0, 'f', 1)
                       .arg(p.secondsLeft(), 0, 'f', 0));
}

void LoadDialog::finished() {
    worker_.join();
    progress_->setRange(0, 1000);
    setEditable(true);
    rate_->clear();
    try {
        if (failure_)
            std::rethrow_exception(failure_);
        progress_->setValue(1000);
        showSummary(result_);
        listRejects();
    } catch (const load::LoadCancelled&) {
        summary_->setPlainText(tr("The load was cancelled; the tables are as they were."));
    } catch (const load::TargetNotEmpty& e) {
        summary_->setPlainText(
            tr("%1. Under \"Rows already in the tables\", choose to add the records to them or "
               "to replace them.")
                .arg(text(e.what())));
    } catch (const load::RecordNotStored& e) {
        summary_->setPlainText(tr("%1. Give a number under \"Stop after this many records with "
                                  "errors\" to leave such records out; they are listed here.")
                                   .arg(text(e.what())));
    } catch (const load::RecordsDoNotFit& e) {
        summary_->setPlainText(
            tr("%1 Choose the record format that the file was written in.").arg(text(e.what())));
    } catch (const std::exception& e) {
        summary_->setPlainText(tr("The load failed and was undone: %1").arg(text(e.what())));
    }
    run_.reset();
}

void LoadDialog::showSummary(const load::LoadSummary& s) {
    QStringList lines{tr("Loaded %L1 records of %2 into %3 in %4 s (%5 MB/s).")
                          .arg(s.records)
                          .arg(data_->text(), text(run_->targetName()))
                          .arg(s.seconds, 0, 'f', 2)
                          .arg(s.megabytesPerSecond(), 0, 'f', 1)};
    if (s.records == 0)
        lines << tr("The file holds no records.");
    if (s.replaced > 0)
        lines << tr("%L1 rows that the tables held before were replaced.").arg(s.replaced);
    for (const auto& [table, rows] : s.rowsPerTable)
        lines << tr("%1: %L2 rows").arg(text(table)).arg(rows);
    if (s.withErrors > 0)
        lines << tr("%L1 records with errors, %L2 of them left out; listed below.")
                     .arg(s.withErrors)
                     .arg(s.rejected);
    for (const auto& [reason, count] : s.leftOutBy)
        lines << tr("Left out, %1: %L2").arg(text(reason)).arg(count);
    if (s.longer > 0)
        lines << tr("%L1 records are longer than the layout's %L2 bytes; their bytes past it "
                    "were not read.")
                     .arg(s.longer)
                     .arg(run_->longestRecord());
    for (const auto& column : s.columnsWithoutSource)
        lines << tr("Empty (NULL) in %1").arg(text(column));
    summary_->setPlainText(lines.join('\n'));
}

void LoadDialog::listRejects() {
    std::ifstream in(rejectFile().toStdString(), std::ios::binary);
    std::string line;
    std::getline(in, line); // the header
    std::int64_t more = 0;
    while (std::getline(in, line)) {
        if (rejects_->rowCount() == kListedRejects) {
            ++more;
            continue;
        }
        const int row = rejects_->rowCount();
        rejects_->insertRow(row);
        const QStringList fields = text(line).split('\t');
        for (int c = 0; c < fields.size() && c < rejects_->columnCount(); ++c)
            rejects_->setItem(row, c, new QTableWidgetItem(fields[c]));
    }
    if (more > 0)
        summary_->appendPlainText(tr("The list shows the first %L1; %L2 more are in %3.")
                                      .arg(kListedRejects)
                                      .arg(more)
                                      .arg(rejectFile()));
    rejects_->resizeColumnsToContents();
}

void LoadDialog::setEditable(bool editable) {
    for (QWidget* w : std::initializer_list<QWidget*>{table_, data_, encoding_, format_, existing_,
                                                      badFields_, maxErrors_, load_})
        w->setEnabled(editable);
    buttons_->button(QDialogButtonBox::Close)
        ->setText(editable ? tr("Close") : tr("Cancel the load"));
}

void LoadDialog::reject() {
    if (running()) { // Esc or Cancel stops the load; the window stays with what it says
        cancel_ = true;
        return;
    }
    QDialog::reject();
}

} // namespace vorq::app
