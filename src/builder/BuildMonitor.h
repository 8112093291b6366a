#pragma once

namespace vorq::builder {

// What a table build reports as it goes, and how it learns that the user wants it to stop.
// The run that drives the build implements it over the host's progress display and its dialog.
class BuildMonitor {
public:
    virtual ~BuildMonitor() = default;
    // False once the run has been interrupted.
    virtual bool Importing() = 0;
    // Lets the user's pending input be handled, so that an interruption can arrive.
    virtual void DoEvents() = 0;
    // One column's step begins and ends.
    virtual void StartStep() = 0;
    virtual void FinishStep() = 0;
};

} // namespace vorq::builder
