#include "app/application_setup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace veltrano {

bool PrepareApplication(QApplication& app) {
    QApplication::setApplicationName("Veltrano");
    QApplication::setWindowIcon(QIcon(":/veltrano/veltrano.svg"));
    // The user interface is German whatever the desktop's language is, so
    // Qt's own texts follow it rather than the system locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    if (!translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

}  // namespace veltrano
