#include "toolkit/headless/HeadlessToolkit.h"

#include "host/Error.h"
#include "toolkit/headless/HeadlessWindow.h"
#include "toolkit/headless/PngHeader.h"

namespace vorq::headless {

std::unique_ptr<Window> HeadlessToolkit::CreateDialogWindow(const std::string& name) {
    return std::make_unique<HeadlessWindow>(*this, name);
}

MsgBoxResult HeadlessToolkit::MsgBox(const std::string& prompt, int style,
                                     const std::string& title) {
    messages_.push_back({prompt, style, title});
    return responder_ ? responder_(messages_.back()) : defaultAnswer(messages_.back());
}

MsgBoxResult HeadlessToolkit::defaultAnswer(const MessageRequest& request) {
    return request.style == kMsgYesNoExclamation ? kMsgNo : kMsgOk;
}

void HeadlessToolkit::DoEvents() {
    for (auto pending = queue_.size(); pending > 0 && !queue_.empty(); --pending) {
        auto callback = std::move(queue_.front());
        queue_.pop_front();
        callback();
    }
}

std::shared_ptr<const Picture> HeadlessToolkit::LoadPicture(const std::string& path) {
    auto picture = std::make_shared<Picture>(readPngHeader(path));
    picture->source = path;
    return picture;
}

void HeadlessToolkit::runModal(HeadlessWindow& window) {
    if (user_)
        user_(window);
    while (window.IsShown() && !queue_.empty()) {
        auto callback = std::move(queue_.front());
        queue_.pop_front();
        callback();
    }
    if (window.IsShown())
        window.clickCloseBox();
    if (window.IsShown())
        throw Error("The dialog " + window.name() +
                    " stayed open after its close box was clicked and nothing is left to do");
}

} // namespace vorq::headless
