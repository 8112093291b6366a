#pragma once

#include "host/ui/Toolkit.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vorq::headless {

class HeadlessWindow;

// The in-memory toolkit: message boxes are answered by a responder, the message loop is a
// queue of posted callbacks, and a modal show hands control to the scripted user.
class HeadlessToolkit : public Toolkit {
public:
    using Responder = std::function<MsgBoxResult(const MessageRequest&)>;
    using User = std::function<void(HeadlessWindow&)>;

    std::unique_ptr<Window> CreateDialogWindow(const std::string& name) override;
    MsgBoxResult MsgBox(const std::string& prompt, int style, const std::string& title) override;
    // Runs the callbacks that were queued before the call; those they queue wait for the next.
    void DoEvents() override;
    std::shared_ptr<const Picture> LoadPicture(const std::string& path) override;

    // Answers message boxes; without one, OK boxes are answered OK and questions No.
    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // The scripted user, called when a window begins its modal show; it acts at once or
    // posts its actions. Once the queue is empty the user has nothing left to do, and a
    // window still shown gets a click on its close box.
    void setUser(User user) { user_ = std::move(user); }
    // Queues a callback for the message loop.
    void post(std::function<void()> callback) { queue_.push_back(std::move(callback)); }
    // Every message box shown so far.
    const std::vector<MessageRequest>& messages() const { return messages_; }

    // Runs a window's modal show until the window is hidden (called by HeadlessWindow).
    void runModal(HeadlessWindow& window);

    // The usual answer of a user who reads a box and moves on: OK, or No to a question.
    static MsgBoxResult defaultAnswer(const MessageRequest& request);

private:
    Responder responder_;
    User user_;
    std::deque<std::function<void()>> queue_;
    std::vector<MessageRequest> messages_;
};

} // namespace vorq::headless
