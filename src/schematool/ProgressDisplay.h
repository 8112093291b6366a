#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vorq::schematool {

// The host's progress display: a bar with count, rate and time left on stderr when that is a
// terminal, nothing otherwise. Redraws at most ten times a second.
class ProgressDisplay {
public:
    explicit ProgressDisplay(std::FILE* out = stderr);

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
    bool active_ = false;
    std::string caption_;
    std::int64_t total_ = 0;
    std::int64_t done_ = 0;
    std::chrono::steady_clock::time_point started_, lastDrawn_;
};

} // namespace vorq::schematool
