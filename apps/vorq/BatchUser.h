#pragma once

#include <string>
#include <vector>

namespace vorq::headless {
class HeadlessToolkit;
class HeadlessWindow;
} // namespace vorq::headless

namespace vorq::app {

// What `vorq import --batch` asks of the dialog.
struct BatchRequest {
    std::string source;
    std::string tab = "copybooks";  // copybooks, programs or ports
    std::string port;               // on the ports tab: the port of the program named by source
    std::vector<std::string> check; // item names, or "/"-separated paths from the top
    bool all = false;               // check every top-level item
    std::string addTo;              // add to this table instead of creating new ones
    bool replace = false;           // first drop the tables that the source made before
};

// The scripted user of the headless dialog: chooses the tab and source, checks the items,
// chooses the mode and presses OK. A step that cannot be done closes the dialog and is kept
// as the failure.
class BatchUser {
public:
    explicit BatchUser(BatchRequest request) : request_(std::move(request)) {}

    void operator()(headless::HeadlessWindow& window);

    bool pressedOk() const { return pressedOk_; }
    const std::string& failure() const { return failure_; }
    // The key of the source line chosen (for a port: its program's line), once chosen.
    const std::string& sourceKey() const { return sourceKey_; }
    // The failure is a name of the request that the dialog does not offer.
    bool nameNotThere() const { return nameNotThere_; }

private:
    void act(headless::HeadlessWindow& window);
    void chooseSource(headless::HeadlessWindow& window, int tab);
    void checkItems(headless::HeadlessWindow& window);
    void chooseMode(headless::HeadlessWindow& window);

    BatchRequest request_;
    bool pressedOk_ = false;
    std::string failure_;
    std::string sourceKey_;
    bool nameNotThere_ = false;
};

} // namespace vorq::app
