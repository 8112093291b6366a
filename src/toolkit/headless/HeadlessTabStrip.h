#pragma once

#include "host/ui/TabStrip.h"
#include "toolkit/headless/HeadlessControl.h"

#include <vector>

namespace vorq::headless {

class HeadlessTabStrip : public TabStrip, public HeadlessControl {
public:
    HeadlessTabStrip(std::string name, int tabCount)
        : HeadlessControl(std::move(name)), tabs_(static_cast<std::size_t>(tabCount)) {}

    int TabCount() const override { return static_cast<int>(tabs_.size()); }
    void setTabCaption(int index, const std::string& caption) override {
        tab(index).caption = caption;
    }
    std::string TabCaption(int index) const override { return tab(index).caption; }
    bool TabEnabled(int index) const override { return tab(index).enabled; }
    void setTabEnabled(int index, bool enabled) override { tab(index).enabled = enabled; }
    int Tab() const override { return current_; }
    void setTab(int index) override {
        tab(index);
        current_ = index;
    }

    // A user's click on a tab: ignored for a disabled tab or strip, like on screen.
    void clickTab(int index) {
        if (!usable() || !tab(index).enabled || index == current_)
            return;
        const int previous = current_;
        current_ = index;
        if (onClick)
            onClick(previous);
    }

private:
    struct TabState {
        std::string caption;
        bool enabled = true;
    };
    TabState& tab(int index) { return tabs_.at(static_cast<std::size_t>(index)); }
    const TabState& tab(int index) const { return tabs_.at(static_cast<std::size_t>(index)); }

    std::vector<TabState> tabs_;
    int current_ = 0;
};

} // namespace vorq::headless
