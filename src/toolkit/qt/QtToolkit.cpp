#include "toolkit/qt/QtToolkit.h"

#include "host/Error.h"
#include "toolkit/qt/PictureImage.h"
#include "toolkit/qt/QtWindow.h"

#include <QApplication>
#include <QImageReader>
#include <QMessageBox>

namespace vorq::qt {

std::unique_ptr<Window> QtToolkit::CreateDialogWindow(const std::string& name) {
    return std::make_unique<QtWindow>(name, QApplication::activeWindow());
}

MsgBoxResult QtToolkit::MsgBox(const std::string& prompt, int style, const std::string& title) {
    messages_.push_back({prompt, style, title});
    if (responder_)
        return responder_(messages_.back());
    QMessageBox box(style == kMsgCritical ? QMessageBox::Critical : QMessageBox::Warning,
                    QString::fromStdString(title), QString::fromStdString(prompt),
                    QMessageBox::NoButton, QApplication::activeWindow());
    if (style == kMsgYesNoExclamation) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (style != kMsgYesNoExclamation)
        return kMsgOk;
    return answer == QMessageBox::Yes ? kMsgYes : kMsgNo;
}

void QtToolkit::DoEvents() {
    QApplication::processEvents();
}

std::shared_ptr<const Picture> QtToolkit::LoadPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    const QImage image = reader.read();
    if (image.isNull())
        throw Error("Invalid picture: " + path + " (" + reader.errorString().toStdString() + ")",
                    481);
    auto picture = std::make_shared<Picture>(fromImage(image));
    picture->source = path;
    return picture;
}

} // namespace vorq::qt
