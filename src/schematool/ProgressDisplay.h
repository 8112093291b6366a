#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vorq::schematool {

// Where a progress display shows itself instead of the terminal: a window of the host.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void opened(const std::string& caption, std::int64_t total) = 0;
    // done of total steps after seconds; called at most ten times a second, and at the end.
    virtual void advanced(std::int64_t done, std::int64_t total, double seconds) = 0;
    virtual void closed() = 0;
};

// The host's progress display: a bar with count, rate and time left on stderr when that is a
// terminal, or in a view when the host has one; nothing otherwise. Redraws at most ten times a
// second.
class ProgressDisplay {
public:
    explicit ProgressDisplay(std::FILE* out = stderr);

    // Shows the progress in view (null: the terminal again).
    void setView(ProgressView* view) { view_ = view; }

    void start(const std::string& caption, std::int64_t total);
    void startStep() {}
    void finishStep(std::int64_t count);
    void finish();

    std::int64_t done() const { return done_; }
    std::int64_t total() const { return total_; }
    bool active() const { return active_; }

private:
    void draw(bool force);

    std::FILE* out_;
    bool terminal_;
    ProgressView* view_ = nullptr;
    bool active_ = false;
    std::string caption_;
    std::int64_t total_ = 0;
    std::int64_t done_ = 0;
    std::chrono::steady_clock::time_point started_, lastDrawn_;
};

} // namespace vorq::schematool
