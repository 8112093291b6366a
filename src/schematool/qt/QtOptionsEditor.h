#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <map>
#include <string>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace vorq::schematool {

class OptionsFile;

// The editor of the import options and the identifier limit. OK saves every setting at once
// with the rules of `vorq options set` (a bad value is named in a message box and nothing is
// saved); Cancel leaves the file as it was.
class QtOptionsEditor : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(QtOptionsEditor)

public:
    QtOptionsEditor(OptionsFile& options, QWidget* parent);

    void accept() override;

    QCheckBox* flag(const std::string& name) const { return flags_.at(name); }
    QLineEdit* number(const std::string& name) const { return numbers_.at(name); }
    // One entry a line.
    QPlainTextEdit* list(const std::string& name) const { return lists_.at(name); }

private:
    OptionsFile& options_;
    std::map<std::string, QCheckBox*> flags_;
    std::map<std::string, QLineEdit*> numbers_;
    std::map<std::string, QPlainTextEdit*> lists_;
};

} // namespace vorq::schematool
