// The import dialog on Qt, driven by synthetic clicks and keys, with the schema tool's progress
// window and options editor.

#include "AppContext.h"
#include "HostSession.h"
#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "projectdb/ProjectCatalog.h"
#include "qt/MainWindow.h"
#include "qt/QtSession.h"
#include "qt/Translations.h"
#include "resources/ResModule.h"
#include "schematool/OptionsFile.h"
#include "schematool/qt/QtOptionsEditor.h"
#include "schematool/qt/QtProgressWindow.h"
#include "support/TempDir.h"
#include "support/VerifyText.h"
#include "toolkit/qt/QtButtons.h"
#include "toolkit/qt/QtImageCombo.h"
#include "toolkit/qt/QtTreeView.h"
#include "toolkit/qt/QtWindow.h"
#include "toolkit_qt/OrdersCopybook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>
#include <gtest/gtest.h>

namespace vorq {
namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct QtImport : ::testing::Test {
    testing::TempDir dir;
    app::AppContext context = [this] {
        app::AppContext c;
        c.workspace = dir.path();
        return c;
    }();
    app::QtSession qt;
    app::HostSession host{context, qt.toolkit};
    std::shared_ptr<workbench::Workbench> wb = std::make_shared<workbench::Workbench>(dir.path());

    QtImport() {
        qt.attach(host);
        testing::verifyText(*wb, dir.path(), "ORDERS.cpy", testing::kOrdersCopybook);
    }
    ~QtImport() override { Globals::current().dialog.reset(); }

    // Runs the component; act plays the user once the dialog shows.
    int run(std::function<void(qt::QtWindow&)> act) {
        QTimer::singleShot(0, [act] {
            auto* window = dynamic_cast<qt::QtWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            act(*window);
            if (window->isVisible())
                window->control<qt::QtButton>("cmdCancel").widget()->click();
        });
        std::shared_ptr<OskWS> osk = wb;
        std::shared_ptr<VorqWS> vorq = host.workspace;
        std::string param;
        VorqImpCpyEng().Run(osk, vorq, param);
        return host.workspace->returnCode;
    }
    std::vector<std::string> tableNames() {
        std::vector<std::string> names;
        for (const auto& t : projectdb::readCatalog(*host.database).tables)
            names.push_back(t.name);
        return names;
    }
};

// The copybook chosen and every record checked, by keyboard.
void chooseAndCheckAll(qt::QtWindow& w) {
    auto& combo = w.control<qt::QtImageCombo>("cmbSource(0)");
    combo.widget()->setFocus();
    QTest::keyClick(combo.widget(), Qt::Key_Home);
    auto& tree = w.control<qt::QtTreeView>("tvData");
    ASSERT_GT(tree.Count(), 0) << "the tree is filled";
    QTest::keyClick(tree.widget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(tree.Node(1).Checked()) << "Ctrl+A checks the records";
}

TEST_F(QtImport, OptionsThenEnterImportsIntoTheProjectDatabase) {
    const int code = run([&](qt::QtWindow& w) {
        chooseAndCheckAll(w);
        QTimer::singleShot(0, [] {
            auto* editor =
                dynamic_cast<schematool::QtOptionsEditor*>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr) << "Options opens the schema tool's editor";
            editor->flag("ArrayFields")->setChecked(true);
            editor->number("Threshold")->setText("2");
            editor->accept();
        });
        w.control<qt::QtButton>("cmdOptions").widget()->click();
        QTest::keyClick(&w, Qt::Key_Return);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(tableNames(), (std::vector<std::string>{"ORDER_REC", "ORDER_REC_LINES"}))
        << "Threshold 2 from the editor made LINES a child table";
    EXPECT_NE(fileText(dir / "options.xml").find("\"Threshold\" VALUE=\"2\""), std::string::npos);
}

TEST_F(QtImport, CancelInTheProgressWindowAsksAndInterruptsTheRun) {
    std::vector<std::string> asked;
    qt.toolkit.setResponder([&](const MessageRequest& m) {
        asked.push_back(m.prompt);
        return m.style == kMsgYesNoExclamation ? kMsgYes : kMsgOk;
    });
    bool stayedOpen = false;
    const int code = run([&](qt::QtWindow& w) {
        chooseAndCheckAll(w);
        QTimer::singleShot(0, [&] {
            schematool::QtProgressWindow& progress = qt.progressWindow();
            EXPECT_EQ(progress.parentWidget(), &w) << "the window doing the work owns it";
            EXPECT_EQ(progress.windowModality(), Qt::WindowModal);
            EXPECT_GE(progress.geometry().left(), w.geometry().left());
            EXPECT_LE(progress.geometry().right(), w.geometry().right()) << "inside its edges";
            EXPECT_NEAR(progress.geometry().center().x(), w.geometry().center().x(), 2);
            progress.cancelButton()->click();
        });
        w.control<qt::QtButton>("cmdOK").widget()->click();
        stayedOpen = w.isVisible();
    });
    EXPECT_EQ(code, -3);
    EXPECT_TRUE(stayedOpen) << "an interrupted run leaves the dialog";
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0], "Do you wish to interrupt and cancel import?");
    EXPECT_TRUE(tableNames().empty()) << "the run was rolled back";
    const auto log = wb->catalog().logEntries();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().text.find("Interrupted by the user."), std::string::npos);
}

// Whatever keys chose the source, the combo, the tree and the run name the same copybook.
TEST_F(QtImport, KeyboardChoicesKeepComboTreeAndRunTogether) {
    testing::verifyText(*wb, dir.path(), "ACCOUNTS.cpy",
                        "       01  ACCT-REC.\n           05  ACCT-NO PIC 9(8).\n");
    std::vector<std::string> seen;
    std::string reference;
    const int code = run([&](qt::QtWindow& w) {
        auto& combo = w.control<qt::QtImageCombo>("cmbSource(0)");
        auto& tree = w.control<qt::QtTreeView>("tvData");
        QComboBox* box = combo.widget();
        const auto state = [&] {
            return box->currentText().toStdString() + "/" +
                   (tree.Count() > 0 ? tree.Node(1).Text() : std::string("-"));
        };
        EXPECT_EQ(w.focusWidget(), box) << "the focus starts in the source combo";
        EXPECT_EQ(w.minimumSize(), w.size()) << "never smaller than drawn: the buttons stay";
        QTest::keyClick(box, Qt::Key_Home);
        seen.push_back(state());
        QTest::keyClick(box, Qt::Key_O); // type-to-find jumps; the release puts the choice back
        seen.push_back(state());
        QTest::keyClick(box, Qt::Key_Down);
        seen.push_back(state());
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_F4);
        ASSERT_TRUE(box->view()->isVisible()) << "F4 opens the list";
        QTest::keyClick(box->view(), Qt::Key_Down);
        QTest::keyPress(box->view(), Qt::Key_Return);
        QTest::keyRelease(box, Qt::Key_Return); // the list has closed: the combo has the key
        seen.push_back(state());
        QTest::keyClick(tree.widget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(tree.widget(), Qt::Key_Down);
        reference = host.workspace->shownReference;
        w.control<qt::QtButton>("cmdOK").widget()->click();
    });
    EXPECT_EQ(reference.rfind("xr:", 0), 0) << "an arrow key tells the host the node";
    EXPECT_EQ(seen, (std::vector<std::string>{"ACCOUNTS/ACCT-REC", "ACCOUNTS/ACCT-REC",
                                              "ORDERS/ORDER-REC", "ORDERS/ORDER-REC"}));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(tableNames(), (std::vector<std::string>{"ORDER_REC"}));
    const auto log = wb->catalog().logEntries();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().text.find("ORDERS"), std::string::npos) << log.back().text;
}

TEST_F(QtImport, EnterPressesTheFocusedButtonAndElseOK) {
    bool editorOpened = false;
    const int code = run([&](qt::QtWindow& w) {
        chooseAndCheckAll(w);
        QTimer::singleShot(0, [&] {
            auto* editor =
                dynamic_cast<schematool::QtOptionsEditor*>(QApplication::activeModalWidget());
            editorOpened = editor != nullptr;
            if (editor)
                editor->reject();
        });
        QPushButton* options = w.control<qt::QtButton>("cmdOptions").widget();
        options->setFocus();
        QTest::keyClick(options, Qt::Key_Return);
        QPushButton* cancel = w.control<qt::QtButton>("cmdCancel").widget();
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
    });
    EXPECT_TRUE(editorOpened) << "Enter on Options opens the options";
    EXPECT_EQ(code, -3) << "Enter on Cancel cancels";
    EXPECT_TRUE(tableNames().empty());
}

TEST_F(QtImport, TheMainWindowShowsTypesInItsDialectNamesSourcesAndSavesTheDdl) {
    schematool::OptionsFile& options = host.platform.optionsFile();
    options.setAll({{"ArrayFields", {"True"}},
                    {"Threshold", {"2"}},
                    {"AutoKey", {"True"}},
                    {"Patterns", {"*-ID"}}});
    options.save();
    ASSERT_EQ(run([](qt::QtWindow& w) {
                  chooseAndCheckAll(w);
                  QTest::keyClick(w.control<qt::QtTreeView>("tvData").widget(), Qt::Key_Down);
                  w.control<qt::QtButton>("cmdOK").widget()->click();
              }),
              0);
    app::MainWindow window(context, qt, host);
    EXPECT_FALSE(window.problemsDock()->isVisibleTo(&window)) << "no verify, no problems panel";
    const auto typeOfFirstColumn = [&] {
        return window.tables()->topLevelItem(0)->child(0)->text(1).toStdString();
    };
    EXPECT_EQ(typeOfFirstColumn(), "DECIMAL(6,0)");
    const auto found = window.tables()->findItems("ORDER_ID", Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 2) << "the key and its copy in the child table";
    EXPECT_EQ(found[0]->text(2).toStdString(), "primary key");
    EXPECT_EQ(found[1]->parent()->text(0).toStdString(), "ORDER_REC_LINES")
        << "the child table under its parent";
    EXPECT_EQ(found[1]->text(2).toStdString(), "primary key, \u2192 ORDER_REC.ORDER_ID");
    window.dialect()->setCurrentIndex(window.dialect()->findData("postgresql"));
    EXPECT_EQ(typeOfFirstColumn(), "NUMERIC(6,0)") << "the tree follows the chosen dialect";
    EXPECT_NE(window.ddl()->toPlainText().indexOf("NUMERIC(6,0)"), -1);

    const auto shown = window.findChild<QLabel*>("shown")->text().toStdString();
    EXPECT_EQ(shown, "Shown: ORDERS, item ORDER-REC") << "names, not a reference";

    const auto file = dir / "project.sql";
    ASSERT_TRUE(window.saveDdl(QString::fromStdString(file.string())));
    EXPECT_NE(fileText(file).find("CREATE TABLE ORDER_REC"), std::string::npos);
    window.resize(700, 500);
    window.close();
    EXPECT_EQ(app::MainWindow(context, qt, host).size(), QSize(700, 500)) << "the size is kept";

    QString said;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        said = box->text();
        box->accept();
    });
    EXPECT_FALSE(window.saveDdl(QString::fromStdString((file / "inside-a-file.sql").string())));
    EXPECT_NE(said.indexOf("inside-a-file.sql"), -1)
        << "a failed write is said: " << said.toStdString();
}

// In a Japanese or Korean session no window falls back to English: the dialog, the progress
// window, the options editor, the main window and Qt's own buttons.
TEST_F(QtImport, EveryWindowSpeaksTheSessionsLanguage) {
    struct Case {
        const char* locale;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"ja_JP.UTF-8",
         {"キャンセル", "キャンセル", "24 中 0", "インポート・オプション", "プロジェクト(&P)",
          "はい(&Y)"}},
        {"ko_KR.UTF-8", {"취소", "취소", "24 중 0", "임포트 옵션", "프로젝트(&P)", "예(&Y)"}},
    };
    for (const Case& c : cases) {
        setenv("LC_ALL", c.locale, 1);
        app::useLanguage(UserLanguage());
        std::vector<std::string> texts;
        run([&](qt::QtWindow& w) {
            texts.push_back(w.control<qt::QtButton>("cmdCancel").Caption());
        });
        Globals::current().dialog.reset(); // the next session's dialog is made anew
        schematool::QtProgressWindow progress;
        progress.opened("", 24);
        texts.push_back(progress.cancelButton()->text().toStdString());
        texts.push_back(progress.countText().toStdString());
        texts.push_back(schematool::QtOptionsEditor(host.platform.optionsFile(), nullptr)
                            .windowTitle()
                            .toStdString());
        app::MainWindow window(context, qt, host);
        texts.push_back(window.menuBar()->actions().front()->text().toStdString());
        QMessageBox question(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
        texts.push_back(question.button(QMessageBox::Yes)->text().toStdString());
        EXPECT_EQ(texts, c.texts) << c.locale;
    }
    setenv("LC_ALL", "C", 1);
    app::useLanguage(Language::English);
}

TEST_F(QtImport, EscClosesTheDialogWithoutAnImport) {
    EXPECT_EQ(run([](qt::QtWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }), -3);
    EXPECT_TRUE(tableNames().empty());
}

TEST_F(QtImport, TheOptionsEditorRefusesABadValueAndCancelChangesNothing) {
    schematool::OptionsFile& options = host.platform.optionsFile();
    const std::string before = fileText(dir / "options.xml");
    {
        schematool::QtOptionsEditor editor(options, nullptr);
        editor.number("Threshold")->setText("lots");
        QString said;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            said = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        editor.accept();
        EXPECT_NE(said.indexOf("Threshold"), -1) << said.toStdString();
        EXPECT_EQ(fileText(dir / "options.xml"), before) << "nothing saved";
        EXPECT_EQ(options.show("Threshold"), "0") << "nothing changed in memory either";
    }
    {
        schematool::QtOptionsEditor editor(options, nullptr);
        editor.flag("AutoKey")->setChecked(true);
        editor.reject();
        EXPECT_EQ(fileText(dir / "options.xml"), before);
    }
}

} // namespace
} // namespace vorq
