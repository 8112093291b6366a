#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "host/ui/Button.h"
#include "host/ui/TabStrip.h"
#include "support/FakeHost.h"
#include "support/FreshThread.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vorq {
namespace {

using testing::FakeHost;
using testing::onFreshThread;

void run(FakeHost& host, std::string param = "") {
    auto osk = host.osk();
    auto vorqWS = host.vorq();
    VorqImpCpyEng().Run(osk, vorqWS, param);
}

void clickCancel(headless::HeadlessWindow& window) {
    window.button("cmdCancel").click();
}

TEST(Run, CancelGivesMinusThreeWhateverTheParamAndSelectedTable) {
    for (const std::string param : {"", "anything at all", "-3"}) {
        for (std::int32_t selected : {-1, 0, 42}) {
            onFreshThread([&] {
                FakeHost host;
                host.vorqWS->selectedTabID = selected;
                host.platform.toolkit.setUser(clickCancel);
                run(host, param);
                EXPECT_EQ(host.vorqWS->returnCode, -3);
                EXPECT_FALSE(Globals::current().dialog->window().IsShown());
            });
        }
    }
}

TEST(Run, ClosingTheWindowOutsideARunIsCancel) {
    onFreshThread([] {
        FakeHost host; // no scripted user: the headless user closes the window
        run(host);
        EXPECT_EQ(host.vorqWS->returnCode, -3);
    });
}

TEST(Run, ACompletedImportGivesZeroAndDoCreateTheNewTable) {
    onFreshThread([] {
        FakeHost host;
        auto completeImport = [](headless::HeadlessWindow& window) {
            frmImport& form = *Globals::current().dialog;
            form.NewTableId = "17";
            form.ImportDone = true;
            window.Hide();
        };
        host.platform.toolkit.setUser(completeImport);
        run(host);
        EXPECT_EQ(host.vorqWS->returnCode, 0);

        frmImport& form = *Globals::current().dialog;
        std::int32_t selected = 0;
        EXPECT_TRUE(form.DoCreate(selected));
        EXPECT_EQ(selected, 17);
        host.platform.toolkit.setUser(clickCancel);
        EXPECT_FALSE(form.DoCreate(selected));
        EXPECT_EQ(selected, -1);
    });
}

TEST(Run, SecondRunReusesTheDialogWithoutReloadingCaptions) {
    onFreshThread([] {
        FakeHost host;
        host.platform.toolkit.setUser(clickCancel);
        setenv("LC_ALL", "ja_JP.UTF-8", 1);
        run(host);
        frmImport* first = Globals::current().dialog.get();
        setenv("LC_ALL", "C", 1);
        run(host);
        EXPECT_EQ(Globals::current().dialog.get(), first);
        EXPECT_EQ(host.platform.registeredForms, 1);
        EXPECT_EQ(first->controls().cmdOptions->Caption(), "オプション(&T)");
        EXPECT_EQ(first->MsgTitle(), "Vorq による COBOL 構造のインポート");
        EXPECT_EQ(host.vorqWS->returnCode, -3);
    });
}

TEST(Run, EachThreadHasItsOwnDialogAndModuleState) {
    FakeHost hostA, hostB;
    hostA.platform.toolkit.setUser(clickCancel);
    hostB.platform.toolkit.setUser(clickCancel);
    const frmImport* dialogA = nullptr;
    const frmImport* dialogB = nullptr;
    const VorqWS* boundA = nullptr;
    onFreshThread([&] {
        run(hostA);
        dialogA = Globals::current().dialog.get();
        boundA = Globals::current().VorqWS.get();
        onFreshThread([&] {
            EXPECT_EQ(Globals::current().dialog, nullptr);
            run(hostB);
            dialogB = Globals::current().dialog.get();
        });
        EXPECT_EQ(Globals::current().VorqWS.get(), boundA) << "the other thread's Run left ours";
    });
    EXPECT_NE(dialogA, dialogB);
    EXPECT_EQ(boundA, hostA.vorqWS.get());
    EXPECT_EQ(hostA.platform.registeredForms, 1);
    EXPECT_EQ(hostB.platform.registeredForms, 1);
}

TEST(Run, HostFailureBeforeTheDialogReachesTheCallerAndLeavesReturnCode) {
    onFreshThread([] {
        FakeHost host;
        host.vorqWS->returnCode = 5;
        host.vorqWS->failSelectedTabID = true;
        try {
            run(host);
            FAIL() << "Run should fail";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 4242);
            EXPECT_EQ(e.description(), "SelectedTabID is not available");
        }
        EXPECT_EQ(host.vorqWS->returnCode, 5);
    });
}

TEST(Run, FailingSetUpStepEndsRunBeforeTheDialogShows) {
    onFreshThread([] {
        FakeHost host;
        host.platform.failOpenOptions = true;
        bool shown = false;
        host.platform.toolkit.setUser([&](headless::HeadlessWindow&) { shown = true; });
        EXPECT_THROW(run(host), Error);
        EXPECT_FALSE(shown);
        EXPECT_FALSE(host.vorqWS->returnCode.has_value());
    });
}

TEST(Run, AProjectDBThatIsNoDatabaseFailsBeforeTheDialog) {
    onFreshThread([] {
        FakeHost host;
        host.vorqWS->projectDB = std::make_shared<testing::NotADatabase>();
        host.vorqWS->returnCode = 7;
        EXPECT_THROW(run(host), Error);
        EXPECT_EQ(Globals::current().dialog, nullptr);
        EXPECT_EQ(host.vorqWS->returnCode, 7);
    });
}

TEST(Run, FailingRegisterFormLeavesTheDialogUsable) {
    onFreshThread([] {
        FakeHost host;
        host.platform.failRegisterForm = true;
        host.platform.toolkit.setUser(clickCancel);
        run(host);
        EXPECT_EQ(host.vorqWS->returnCode, -3);
    });
}

TEST(Cancel, DuringARunAsksAndOnlyYesInterrupts) {
    onFreshThread([] {
        FakeHost host;
        bool answerYes = false;
        host.platform.toolkit.setResponder(
            [&](const MessageRequest&) { return answerYes ? kMsgYes : kMsgNo; });
        host.platform.toolkit.setUser([&](headless::HeadlessWindow& window) {
            frmImport& form = *Globals::current().dialog;
            form.setImporting(true);
            window.button("cmdCancel").click();
            EXPECT_TRUE(form.Importing()) << "No lets the run go on";
            answerYes = true;
            window.clickCloseBox();
            EXPECT_FALSE(form.Importing()) << "the close box is Cancel during a run";
            EXPECT_TRUE(window.IsShown()) << "Cancel during a run never closes the dialog";
            window.button("cmdCancel").click();
        });
        run(host);
        const auto& asked = host.platform.toolkit.messages();
        ASSERT_EQ(asked.size(), 2u);
        EXPECT_EQ(asked[0].prompt, "Do you wish to interrupt and cancel import?");
        EXPECT_EQ(asked[0].style, 52);
        EXPECT_EQ(asked[0].title, "Vorq Import Cobol Structures");
        EXPECT_EQ(host.vorqWS->returnCode, -3);
    });
}

} // namespace
} // namespace vorq
