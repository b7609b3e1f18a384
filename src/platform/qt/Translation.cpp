#include "platform/qt/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orv {

QString qtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool installJapaneseTranslation() {
    auto* app = QCoreApplication::instance();
    if (app == nullptr) return false;
    // The translator lives as long as the application: it is the application's child.
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_ja"), qtTranslationsFolder())) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    // Dates and numbers in Qt's own widgets (the file dialog's columns) read as in Japan too.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    return true;
}

}  // namespace orv
