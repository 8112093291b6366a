#include "qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <utility>

namespace vorq::app {

void useLanguage(Language language) {
    static QTranslator qtTexts;
    static QTranslator ownTexts;
    QCoreApplication::removeTranslator(&qtTexts);
    QCoreApplication::removeTranslator(&ownTexts);
    if (language == Language::English)
        return;
    const QString code = language == Language::Japanese ? "ja" : "ko";
    if (ownTexts.load(":/translations/vorq_" + code + ".qm"))
        QCoreApplication::installTranslator(&ownTexts);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtTexts.load("qtbase_" + code, folder)) {
        QCoreApplication::installTranslator(&qtTexts);
    } else {
        static bool said = false;
        if (!std::exchange(said, true))
            std::fprintf(stderr,
                         "vorq: Qt's own texts in this language are not installed in %s "
                         "(Debian package qt6-translations-l10n): its buttons stay in English\n",
                         folder.toLocal8Bit().constData());
    }
}

} // namespace vorq::app
