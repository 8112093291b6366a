#pragma once

#include "host/ui/Toolkit.h"

#include <functional>
#include <vector>

class QWidget;

namespace vorq::qt {

// The toolkit over Qt Widgets. A QApplication must exist before its first use.
class QtToolkit : public Toolkit {
public:
    using Responder = std::function<MsgBoxResult(const MessageRequest&)>;

    std::unique_ptr<Window> CreateDialogWindow(const std::string& name) override;
    // A real message box, with the icon and buttons that the style asks for; a responder, when
    // set, answers instead (tests).
    MsgBoxResult MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void DoEvents() override;
    // PNG, BMP and ICO files; one that cannot be read as an image raises vorq::Error.
    std::shared_ptr<const Picture> LoadPicture(const std::string& path) override;

    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // Every message box asked so far.
    const std::vector<MessageRequest>& messages() const { return messages_; }

private:
    Responder responder_;
    std::vector<MessageRequest> messages_;
};

} // namespace vorq::qt
