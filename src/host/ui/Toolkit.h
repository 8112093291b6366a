#pragma once

#include "host/ui/Picture.h"

#include <memory>
#include <string>

namespace vorq {

class Window;

// Message box styles and answers, with the values of the platform's message box.
enum MsgBoxStyle : int {
    kMsgCritical = 16,        // OK button, critical icon
    kMsgExclamation = 48,     // OK button, exclamation icon
    kMsgYesNoExclamation = 52 // Yes and No buttons, exclamation icon
};
enum MsgBoxResult : int { kMsgOk = 1, kMsgYes = 6, kMsgNo = 7 };

// A message box as it was asked: what scripted users and tests answer.
struct MessageRequest {
    std::string prompt;
    int style = 0;
    std::string title;
};

// The user-interface services the dialog needs besides its controls.
class Toolkit {
public:
    virtual ~Toolkit() = default;
    // A new, hidden dialog window.
    virtual std::unique_ptr<Window> CreateDialogWindow(const std::string& name) = 0;
    // Shows a message box and returns the button the user chose.
    virtual MsgBoxResult MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // Lets the message loop handle the pending events once.
    virtual void DoEvents() = 0;
    // Loads a picture file; raises vorq::Error when it cannot be read.
    virtual std::shared_ptr<const Picture> LoadPicture(const std::string& path) = 0;
};

} // namespace vorq
