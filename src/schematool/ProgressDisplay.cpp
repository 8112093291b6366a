#include "schematool/ProgressDisplay.h"

#include <fmt/core.h>
#include <unistd.h>

namespace vorq::schematool {

ProgressDisplay::ProgressDisplay(std::FILE* out) : out_(out), terminal_(isatty(fileno(out)) != 0) {}

void ProgressDisplay::start(const std::string& caption, std::int64_t total) {
    caption_ = caption;
    total_ = total;
    done_ = 0;
    active_ = true;
    started_ = std::chrono::steady_clock::now();
    if (view_)
        view_->opened(caption, total);
    draw(true);
}

void ProgressDisplay::finishStep(std::int64_t count) {
    done_ += count;
    draw(false);
}

void ProgressDisplay::finish() {
    if (!active_)
        return;
    draw(true);
    if (view_)
        view_->closed();
    else if (terminal_)
        fmt::print(out_, "\n");
    active_ = false;
}

void ProgressDisplay::draw(bool force) {
    if (!(terminal_ || view_) || !active_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastDrawn_ < std::chrono::milliseconds(100))
        return;
    lastDrawn_ = now;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    if (view_) {
        view_->advanced(done_, total_, seconds);
        return;
    }
    const double rate = seconds > 0 ? static_cast<double>(done_) / seconds : 0;
    const double fraction =
        total_ > 0 ? std::min(1.0, static_cast<double>(done_) / static_cast<double>(total_)) : 1.0;
    constexpr int width = 30;
    const int filled = static_cast<int>(fraction * width);
    const std::string bar = std::string(filled, '#') + std::string(width - filled, '-');
    const std::string left =
        rate > 0 && total_ > done_
            ? fmt::format("{:.0f}s left", static_cast<double>(total_ - done_) / rate)
            : "";
    fmt::print(out_, "\r{} [{}] {}/{} {:.0f}/s {}\x1b[K", caption_, bar, done_, total_, rate, left);
    std::fflush(out_);
}

} // namespace vorq::schematool
