#pragma once

#include "host/ui/TabStrip.h"
#include "toolkit/qt/QtControl.h"

#include <QFrame>
#include <QTabBar>

namespace vorq::qt {

// A tab bar over a framed panel; the window's other controls lie on the panel, above it.
class QtTabStrip : public QtControl<TabStrip, QWidget> {
public:
    QtTabStrip(const std::string& name, int tabCount, QWidget* parent);
    int TabCount() const override;
    void setTabCaption(int index, const std::string& caption) override;
    std::string TabCaption(int index) const override;
    bool TabEnabled(int index) const override;
    void setTabEnabled(int index, bool enabled) override;
    int Tab() const override;
    void setTab(int index) override;

    QTabBar* tabBar() const { return bar_; }

private:
    void check(int index) const;
    void layOut();
    void moveBy(int step); // to the next enabled tab that way, round the end

    QTabBar* bar_;
    QFrame* panel_;
    int current_ = 0;
};

} // namespace vorq::qt
