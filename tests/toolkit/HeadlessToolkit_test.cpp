#include "host/Error.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessOptionButton.h"
#include "toolkit/headless/HeadlessToolkit.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <fstream>
#include <gtest/gtest.h>

namespace vorq::headless {
namespace {

TEST(MessageLoop, DoEventsRunsWhatWasQueuedBeforeAndNotWhatItQueues) {
    HeadlessToolkit toolkit;
    std::vector<std::string> ran;
    toolkit.post([&] {
        ran.push_back("first");
        toolkit.post([&] { ran.push_back("later"); });
    });
    toolkit.post([&] { ran.push_back("second"); });
    toolkit.DoEvents();
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
    toolkit.DoEvents();
    EXPECT_EQ(ran.back(), "later");
}

TEST(MessageLoop, AClickQueuedBeforeAModalShowLandsInsideIt) {
    HeadlessToolkit toolkit;
    auto window = toolkit.CreateDialogWindow("dialog");
    auto& headless = static_cast<HeadlessWindow&>(*window);
    auto& cancel = headless.CreateButton("cmdCancel");
    int runSteps = 0;
    bool interrupted = false;
    cancel.onClick = [&] { interrupted = true; };
    auto& ok = headless.CreateButton("cmdOK");
    // A long run that lets the loop breathe once per step, as the import does.
    ok.onClick = [&] {
        for (; runSteps < 10 && !interrupted; ++runSteps)
            toolkit.DoEvents();
        headless.Hide();
    };
    toolkit.setUser([&](HeadlessWindow& shown) {
        toolkit.post([&] { shown.button("cmdOK").click(); });
        toolkit.post([&] { shown.button("cmdCancel").click(); });
    });
    window->ShowModal();
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(runSteps, 1);
    EXPECT_FALSE(window->IsShown());
}

TEST(Modal, ANeverClosingWindowIsAnErrorNotAHang) {
    HeadlessToolkit toolkit;
    auto window = toolkit.CreateDialogWindow("stubborn");
    window->onCloseBox = [] {};
    EXPECT_THROW(window->ShowModal(), Error);
}

TEST(Controls, UsersCannotReachDisabledOrHiddenControls) {
    HeadlessToolkit toolkit;
    auto window = toolkit.CreateDialogWindow("w");
    auto& w = static_cast<HeadlessWindow&>(*window);
    int clicks = 0;
    w.CreateButton("b").onClick = [&] { ++clicks; };
    w.button("b").setEnabled(false);
    w.button("b").click();
    w.button("b").setEnabled(true);
    w.button("b").setVisible(false);
    w.button("b").click();
    EXPECT_EQ(clicks, 0);
    EXPECT_THROW(w.button("b").SetFocus(), Error);
    EXPECT_THROW(w.treeView("b"), Error) << "a control of another kind";
    EXPECT_THROW(w.CreateButton("b"), Error) << "names are unique";
}

TEST(Controls, OptionButtonsOfAWindowAreOneGroup) {
    HeadlessToolkit toolkit;
    auto window = toolkit.CreateDialogWindow("w");
    auto& w = static_cast<HeadlessWindow&>(*window);
    auto& a = w.CreateOptionButton("a");
    auto& b = w.CreateOptionButton("b");
    a.setValue(true);
    w.optionButton("b").click();
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(b.Value());
}

TEST(Pictures, LoadPictureReadsAPngHeaderAndRefusesOtherFiles) {
    testing::TempDir dir;
    const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13,
                                 'I',  'H', 'D', 'R', 0,    0,    0,    16,   0, 0, 0, 16};
    std::ofstream(dir / "icon.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png), sizeof png);
    std::ofstream(dir / "text.png") << "hello, this is no picture at all";
    HeadlessToolkit toolkit;
    const auto picture = toolkit.LoadPicture((dir / "icon.png").string());
    EXPECT_EQ(picture->width, 16);
    EXPECT_EQ(picture->height, 16);
    EXPECT_THROW(toolkit.LoadPicture((dir / "text.png").string()), Error);
    EXPECT_THROW(toolkit.LoadPicture((dir / "missing.png").string()), Error);
}

} // namespace
} // namespace vorq::headless
