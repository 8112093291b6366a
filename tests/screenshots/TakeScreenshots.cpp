// Takes pictures of the real windows: the import dialog on each tab, the options editor, the
// dialog during an import with the progress window, the main window after the import, the load
// window after a load and the data browser.
// Run by scripts/screenshots under Xvfb, once per language: take-screenshots OUTDIR SUFFIX.

#include "AppContext.h"
#include "HostSession.h"
#include "component/VorqImpCpyEng.h"
#include "projectdb/ProjectCatalog.h"
#include "qt/BrowseDialog.h"
#include "qt/LoadDialog.h"
#include "qt/MainWindow.h"
#include "qt/QtSession.h"
#include "schematool/OptionsFile.h"
#include "schematool/qt/QtProgressWindow.h"
#include "support/TempDir.h"
#include "toolkit/qt/QtButtons.h"
#include "toolkit/qt/QtImageCombo.h"
#include "toolkit/qt/QtTabStrip.h"
#include "toolkit/qt/QtTreeView.h"
#include "toolkit/qt/QtWindow.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <iostream>

using namespace vorq;

namespace {

QString out;
QString suffix;

void save(const QPixmap& picture, const QString& name) {
    const QString path = out + "/" + name + "-" + suffix + ".png";
    if (!picture.save(path))
        throw std::runtime_error("cannot write " + path.toStdString());
    std::cout << path.toStdString() << "\n";
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

qt::QtWindow& dialog() {
    auto* window = dynamic_cast<qt::QtWindow*>(QApplication::activeModalWidget());
    if (!window)
        throw std::runtime_error("the import dialog is not shown");
    return *window;
}

// The dialog and the progress window in one picture, as they stand on the screen.
QPixmap together(QWidget& first, QWidget& second) {
    const QRect area = first.frameGeometry().united(second.frameGeometry()).adjusted(-8, -8, 8, 8);
    QPixmap canvas(area.size());
    canvas.fill(QColor(0x40, 0x60, 0x80));
    QPainter painter(&canvas);
    painter.drawPixmap(first.geometry().topLeft() - area.topLeft(), first.grab());
    painter.drawPixmap(second.geometry().topLeft() - area.topLeft(), second.grab());
    return canvas;
}

void actOnDialog(app::QtSession& qt) {
    qt::QtWindow& w = dialog();
    settle();
    const char* tabs[] = {"copybooks", "programs"};
    auto& strip = w.control<qt::QtTabStrip>("tsSource");
    for (int tab = 1; tab >= 0; --tab) {
        strip.tabBar()->setCurrentIndex(tab);
        settle();
        save(w.grab(), QString("dialog-") + tabs[tab]);
    }
    strip.tabBar()->setCurrentIndex(2);
    auto& ports = w.control<qt::QtImageCombo>("cmbSource(2)");
    ports.widget()->setCurrentIndex(1); // the first port, under its program
    emit ports.widget()->activated(1);
    settle();
    save(w.grab(), "dialog-ports");
    strip.tabBar()->setCurrentIndex(0);
    auto& combo = w.control<qt::QtImageCombo>("cmbSource(0)");
    for (int i = 0; i < combo.widget()->count(); ++i)
        if (combo.widget()->itemText(i) == "CUSTMAST") {
            combo.widget()->setCurrentIndex(i);
            emit combo.widget()->activated(i);
        }
    auto& tree = w.control<qt::QtTreeView>("tvData");
    tree.Node(1).setChecked(true);
    tree.widget()->expandAll();
    settle();

    QTimer::singleShot(100, [] {
        auto* editor = QApplication::activeModalWidget();
        settle();
        save(editor->grab(), "options-editor");
        editor->close();
    });
    w.control<qt::QtButton>("cmdOptions").widget()->click();

    // The first time the run lets events through, the progress window is up.
    QTimer::singleShot(0, [&qt, &w] {
        settle();
        save(together(w, qt.progressWindow()), "import-running");
    });
    w.control<qt::QtButton>("cmdOK").widget()->click();
}

// The load window after a load of the example customers, and the browser over their rows.
int loadAndBrowse(const app::AppContext& context, const projectdb::ProjectCatalog& catalog,
                  const std::string& examples, QWidget& main) {
    app::LoadDialog load(context, catalog, "CUSTOMER_MASTER", &main);
    load.dataFile()->setText(QString::fromStdString(examples + "/data/CUSTMAST.dat"));
    load.show();
    if (!load.startLoad())
        throw std::runtime_error("the load did not start");
    while (load.running())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    settle();
    save(load.grab(), "load-data");
    if (load.summary()->toPlainText().indexOf("CUSTOMER_MASTER") < 0) {
        std::cerr << "take-screenshots: " << load.summary()->toPlainText().toStdString() << "\n";
        return 1;
    }
    load.hide();

    app::BrowseDialog browse(context, catalog, "CUSTOMER_MASTER", &main);
    browse.show();
    browse.rows()->selectRow(1);
    settle();
    save(browse.grab(), "browse-data");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: take-screenshots OUTDIR SUFFIX EXAMPLES\n";
        return 2;
    }
    out = argv[1];
    suffix = argv[2];
    testing::TempDir dir;
    app::AppContext context;
    context.workspace = dir.path();
    auto wb = std::make_shared<workbench::Workbench>(context.ensureWorkspace());
    cobol::DiskFileReader disk;
    const std::string examples = argv[3];
    workbench::Verifier verifier(*wb, disk, {{examples + "/copybooks"}});
    for (const auto& source : workbench::collectSources({examples}))
        verifier.verify(source);

    app::QtSession qt;
    app::HostSession host(context, qt.toolkit);
    qt.attach(host);
    auto& options = host.platform.optionsFile();
    options.setAll({{"ArrayFields", {"True"}},
                    {"Threshold", {"10"}},
                    {"AutoKey", {"True"}},
                    {"Patterns", {"*-ID", "*-KEY"}}});

    std::string failure;
    QTimer::singleShot(200, [&] {
        try {
            actOnDialog(qt);
        } catch (const std::exception& e) {
            failure = e.what();
            if (auto* modal = QApplication::activeModalWidget())
                modal->hide();
        }
    });
    std::shared_ptr<OskWS> osk = wb;
    std::shared_ptr<VorqWS> vorq = host.workspace;
    std::string param;
    VorqImpCpyEng().Run(osk, vorq, param);
    if (!failure.empty()) {
        std::cerr << "take-screenshots: " << failure << "\n";
        return 1;
    }

    app::MainWindow window(context, qt, host);
    window.show();
    for (QTreeWidgetItemIterator it(window.tables()); *it; ++it)
        if ((*it)->text(0).endsWith("_ORDERS"))
            window.tables()->setCurrentItem(*it);
    settle();
    save(window.grab(), "main-window");
    if (host.workspace->returnCode != 0)
        return 1;
    return loadAndBrowse(context, projectdb::readCatalog(*host.database), examples, window);
}
