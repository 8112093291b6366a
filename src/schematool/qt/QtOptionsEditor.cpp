#include "schematool/qt/QtOptionsEditor.h"

#include "schematool/OptionsFile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

namespace vorq::schematool {
namespace {

// What each setting is, for its label and its kind of field.
struct Field {
    const char* name;
    const char* label;
    enum { Flag, Number, List } kind;
};

constexpr Field kFields[] = {
    {"Strip", QT_TRANSLATE_NOOP("QtOptionsEditor", "&Strip prefixes from names"), Field::Flag},
    {"Prefixes", QT_TRANSLATE_NOOP("QtOptionsEditor", "&Prefixes (one a line)"), Field::List},
    {"AutoKey", QT_TRANSLATE_NOOP("QtOptionsEditor", "&Make primary keys"), Field::Flag},
    {"Patterns", QT_TRANSLATE_NOOP("QtOptionsEditor", "&Key patterns (one a line)"), Field::List},
    {"ArrayFields", QT_TRANSLATE_NOOP("QtOptionsEditor", "&Child tables for large OCCURS"),
     Field::Flag},
    {"Threshold", QT_TRANSLATE_NOOP("QtOptionsEditor", "&Threshold (occurrences)"), Field::Number},
    {"IdentifierLimit", QT_TRANSLATE_NOOP("QtOptionsEditor", "&Identifier limit (18-128)"),
     Field::Number},
};

} // namespace

QtOptionsEditor::QtOptionsEditor(OptionsFile& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setObjectName("optionsEditor");
    setWindowTitle(tr("Import options"));
    auto* form = new QFormLayout(this);
    for (const Field& field : kFields) {
        const auto values = options_.values(field.name);
        QWidget* editor = nullptr;
        if (field.kind == Field::Flag) {
            auto* box = new QCheckBox(this);
            box->setChecked(options_.show(field.name) == "True");
            flags_[field.name] = box;
            editor = box;
        } else if (field.kind == Field::Number) {
            auto* line = new QLineEdit(QString::fromStdString(values.at(0)), this);
            numbers_[field.name] = line;
            editor = line;
        } else {
            QStringList lines;
            for (const auto& v : values)
                lines << QString::fromStdString(v);
            auto* text = new QPlainTextEdit(lines.join('\n'), this);
            text->setTabChangesFocus(true);
            text->setFixedHeight(text->fontMetrics().lineSpacing() * 4 + 12);
            lists_[field.name] = text;
            editor = text;
        }
        editor->setObjectName(field.name);
        form->addRow(tr(field.label), editor);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QtOptionsEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QtOptionsEditor::reject);
}

void QtOptionsEditor::accept() {
    std::vector<std::pair<std::string, std::vector<std::string>>> settings;
    for (const Field& field : kFields) {
        std::vector<std::string> values;
        if (field.kind == Field::Flag) {
            values.emplace_back(flags_.at(field.name)->isChecked() ? "True" : "False");
        } else if (field.kind == Field::Number) {
            values.push_back(numbers_.at(field.name)->text().trimmed().toStdString());
        } else {
            for (const QString& line : lists_.at(field.name)->toPlainText().split('\n'))
                if (!line.trimmed().isEmpty())
                    values.push_back(line.trimmed().toStdString());
        }
        settings.emplace_back(field.name, std::move(values));
    }
    try {
        options_.setAll(settings);
    } catch (const std::exception& e) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.what()));
        return;
    }
    QDialog::accept();
}

} // namespace vorq::schematool
