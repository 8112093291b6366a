// The load window and the data browser, driven by keys, over a project that vorq made as a
// user's would be.

#include "AppContext.h"
#include "projectdb/ProjectCatalog.h"
#include "projectdb/SqlProjectDatabase.h"
#include "qt/BrowseDialog.h"
#include "qt/LoadDialog.h"
#include "qt/RowsModel.h"
#include "support/LoadFolder.h"
#include "toolkit_qt/OrdersCopybook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <fmt/core.h>
#include <gtest/gtest.h>

namespace vorq {
namespace {

// Order n (from 1) in ASCII: its number and three items named after it.
std::string order(int n) {
    return fmt::format("{:06}{:<8}{:<8}{:<8}", n, fmt::format("A{}", n), fmt::format("B{}", n),
                       fmt::format("C{}", n));
}

std::string orders(int count) {
    std::string bytes;
    for (int n = 1; n <= count; ++n)
        bytes += order(n);
    return bytes;
}

struct QtData : ::testing::Test {
    testing::LoadFolder folder;
    app::AppContext context = [this] {
        app::AppContext c;
        c.workspace = folder.dir / "vorq-workspace";
        return c;
    }();

    QtData() {
        folder.imported("ORDERS", testing::kOrdersCopybook,
                        {{"ArrayFields", "True"},
                         {"Threshold", "2"},
                         {"AutoKey", "True"},
                         {"Patterns", "*-ID"}});
    }
    projectdb::ProjectCatalog catalog() const { return context.readProject(); }

    // The window with the data file and code page typed in, as a user does.
    std::unique_ptr<app::LoadDialog> loadWindow(const std::string& data) {
        auto window = std::make_unique<app::LoadDialog>(context, catalog(), "ORDER_REC", nullptr);
        window->show();
        QTest::keyClicks(window->dataFile(), QString::fromStdString((folder.dir / data).string()));
        window->encoding()->setFocus();
        window->encoding()->lineEdit()->selectAll();
        QTest::keyClicks(window->encoding(), "ascii");
        return window;
    }
    static void awaitEnd(app::LoadDialog& window) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 60'000));
    }
    static std::string summaryOf(const app::LoadDialog& window) {
        return window.summary()->toPlainText().toStdString();
    }
};

TEST_F(QtData, EnterLoadsListsTheRejectsAndLoadsAgainOnlyAsTold) {
    folder.write("orders.dat", order(1) + "00000X" + order(2).substr(6) + order(3));
    auto window = loadWindow("orders.dat");
    QTest::keyClick(window->dataFile(), Qt::Key_Return);
    ASSERT_TRUE(window->running()) << "Enter presses Load: " << summaryOf(*window);
    awaitEnd(*window);
    EXPECT_NE(summaryOf(*window).find("Record 2 of"), std::string::npos)
        << "a record without its key undoes the load unless errors are allowed: "
        << summaryOf(*window);
    EXPECT_EQ(window->rejects()->rowCount(), 0);

    window->maxErrors()->setFocus();
    window->maxErrors()->selectAll();
    QTest::keyClicks(window->maxErrors(), "5");
    QTest::keyClick(window->maxErrors(), Qt::Key_Return);
    awaitEnd(*window);
    EXPECT_NE(summaryOf(*window).find("Loaded 3 records"), std::string::npos) << summaryOf(*window);
    EXPECT_NE(summaryOf(*window).find("ORDER_REC_LINES: 6 rows"), std::string::npos);
    EXPECT_EQ(folder.rows("ORDER_REC"), (std::vector<std::string>{"1", "3"}));
    ASSERT_EQ(window->rejects()->rowCount(), 2) << "the bad field and the record left out";
    EXPECT_EQ(window->rejects()->item(0, 0)->text(), "2");
    EXPECT_EQ(window->rejects()->item(0, 2)->text(), "ORDER_ID");

    QTest::keyClick(window->dataFile(), Qt::Key_Return);
    awaitEnd(*window);
    EXPECT_NE(summaryOf(*window).find("already holds 2 rows"), std::string::npos)
        << "a second load is refused: " << summaryOf(*window);

    window->existingRows()->setFocus();
    QTest::keyClick(window->existingRows(), Qt::Key_End); // "Replace them"
    QTest::keyClick(window->existingRows(), Qt::Key_Return);
    awaitEnd(*window);
    EXPECT_NE(summaryOf(*window).find("were replaced"), std::string::npos) << summaryOf(*window);
    EXPECT_EQ(folder.rows("ORDER_REC"), (std::vector<std::string>{"1", "3"}));
}

TEST_F(QtData, EscapeDuringTheLoadRollsItBackAndKeepsTheWindow) {
    folder.write("many.dat", orders(400'000));
    auto window = loadWindow("many.dat");
    ASSERT_TRUE(window->startLoad()) << summaryOf(*window);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    awaitEnd(*window);
    EXPECT_TRUE(window->isVisible()) << "Esc stops the load, not the window";
    EXPECT_NE(summaryOf(*window).find("cancelled"), std::string::npos) << summaryOf(*window);
    EXPECT_FALSE(std::filesystem::exists(context.workspace / "data.db"))
        << "the target that the cancelled load made is gone with it";
    EXPECT_TRUE(window->loadButton()->isEnabled()) << "the window can load again";
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtData, TheBrowserPagesThroughRowsAndShowsTheChildRowsOfTheSelectedRow) {
    folder.write("orders.dat", orders(600));
    ASSERT_EQ(
        folder.vorq({"load", "--table", "order_rec", "--data", "orders.dat", "--encoding", "ascii"})
            .status,
        0);
    app::BrowseDialog window(context, catalog(), "ORDER_REC", nullptr);
    window.show();
    QAbstractItemModel* rows = window.rows()->model();
    ASSERT_EQ(rows->rowCount(), 600);
    EXPECT_EQ(window.counts()->text().toStdString(), "ORDER_REC: 600 rows");
    // Rows on both sides of a page's edge and the last, in the order of the key.
    for (const int row : {0, 255, 256, 511, 599})
        EXPECT_EQ(rows->index(row, 0).data().toInt(), row + 1) << "row " << row;

    ASSERT_EQ(window.childTable()->currentText(), "ORDER_REC_LINES");
    QTest::keyClick(window.rows(), Qt::Key_Down);
    QTest::keyClick(window.rows(), Qt::Key_End, Qt::ControlModifier);
    QAbstractItemModel* children = window.childRows()->model();
    ASSERT_EQ(children->rowCount(), 3) << "the lines of the last order";
    int itemColumn = 0;
    while (children->headerData(itemColumn, Qt::Horizontal).toString() != "ITEM")
        ASSERT_LT(++itemColumn, children->columnCount());
    EXPECT_EQ(children->index(0, itemColumn).data().toString(), "A600");
    EXPECT_EQ(children->index(2, itemColumn).data().toString(), "C600");
}

TEST_F(QtData, WithoutTablesTheLoadWindowSaysWhatComesFirst) {
    projectdb::ProjectCatalog none;
    app::LoadDialog window(context, none, "", nullptr);
    EXPECT_FALSE(window.loadButton()->isEnabled());
    EXPECT_FALSE(window.startLoad());
    EXPECT_NE(summaryOf(window).find("import COBOL structures first"), std::string::npos)
        << summaryOf(window);
}

TEST_F(QtData, TheBrowserSaysWhenNothingIsLoaded) {
    app::BrowseDialog window(context, catalog(), "ORDER_REC", nullptr);
    EXPECT_EQ(window.rows()->model()->rowCount(), 0);
    EXPECT_NE(window.counts()->text().indexOf("Nothing is loaded yet"), -1)
        << window.counts()->text().toStdString();
}

} // namespace
} // namespace vorq
