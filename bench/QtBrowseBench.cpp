// The data browser on Qt (offscreen) over a million loaded rows: how long it takes to open the
// table, go to its last row with the keyboard (its child rows shown), and to its middle.

#include "AppContext.h"
#include "qt/BrowseDialog.h"
#include "sqlite/Sqlite.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fmt/core.h>

using namespace vorq;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRows = 1'000'000;

projectdb::CatalogColumn column(std::int32_t id, const char* name) {
    projectdb::CatalogColumn c;
    c.id = id;
    c.name = name;
    return c;
}

// A parent table of kRows rows and a child table of one row each, as a load makes them.
projectdb::ProjectCatalog loaded(const std::filesystem::path& file) {
    sqlite::Connection db(file, sqlite::Connection::Mode::CreateIfMissing);
    db.exec("CREATE TABLE \"BIG_REC\" (\"REC_ID\" DECIMAL(9,0) NOT NULL, \"NAME\" CHAR(20), "
            "\"AMOUNT\" DECIMAL(11,2), PRIMARY KEY (\"REC_ID\"));"
            "CREATE TABLE \"BIG_REC_LINES\" (\"REC_ID\" DECIMAL(9,0) NOT NULL, \"idx\" INTEGER "
            "NOT NULL, \"ITEM\" CHAR(8), PRIMARY KEY (\"REC_ID\", \"idx\"), FOREIGN KEY "
            "(\"REC_ID\") REFERENCES \"BIG_REC\" (\"REC_ID\"));"
            "BEGIN");
    auto parent = db.prepare("INSERT INTO BIG_REC VALUES (?1, ?2, ?3)");
    auto child = db.prepare("INSERT INTO BIG_REC_LINES VALUES (?1, 1, ?2)");
    for (std::int64_t id = 1; id <= kRows; ++id) {
        parent.bind(1, id).bind(2, fmt::format("CUSTOMER {}", id)).bind(3, id * 7 % 100'000);
        parent.run();
        parent.reset();
        child.bind(1, id).bind(2, fmt::format("I{}", id));
        child.run();
        child.reset();
    }
    db.exec("COMMIT");

    projectdb::ProjectCatalog catalog;
    projectdb::CatalogTable big;
    big.id = 1;
    big.name = "BIG_REC";
    big.columns = {column(1, "REC_ID"), column(2, "NAME"), column(3, "AMOUNT")};
    big.primaryKey = {1};
    projectdb::CatalogTable lines;
    lines.id = 2;
    lines.name = "BIG_REC_LINES";
    lines.columns = {column(4, "REC_ID"), column(5, "idx"), column(6, "ITEM")};
    lines.primaryKey = {4, 5};
    lines.foreignKeys = {{1, "BIG_REC_LINES_OCCURS", 1, {{4, 1}}}};
    catalog.tables = {big, lines};
    return catalog;
}

double since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    const auto dir = std::filesystem::temp_directory_path() / "vorq-bench-browse";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    app::AppContext context;
    context.workspace = dir;
    const projectdb::ProjectCatalog catalog = loaded(dir / "data.db");

    const auto start = Clock::now();
    app::BrowseDialog window(context, catalog, "BIG_REC", nullptr);
    window.show();
    QApplication::processEvents();
    QTest::keyClick(window.rows(), Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    window.rows()->scrollTo(window.rows()->model()->index(kRows / 2, 0));
    QTest::keyClick(window.rows(), Qt::Key_PageDown);
    QApplication::processEvents();
    window.rows()->repaint();
    window.childRows()->repaint();
    const double seconds = since(start);
    const QAbstractItemModel& rows = *window.rows()->model();
    if (rows.rowCount() != kRows || window.childRows()->model()->rowCount() != 1) {
        fmt::print(stderr, "the browser shows {} rows and {} child rows\n", rows.rowCount(),
                   window.childRows()->model()->rowCount());
        return 1;
    }
    fmt::print("qt_browse_1m_rows_s: {:.3f}\n", seconds);
    std::filesystem::remove_all(dir);
}
