#include "gui/window/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include "settings/text_table.h"

namespace zeko::gui {

QtTranslation::~QtTranslation() {
    Remove();
}

void QtTranslation::Apply(int16_t language) {
    if (language != settings::kDutch) {
        Remove();
        return;
    }
    if (installed_) return;
    if (!loaded_)
        loaded_ =
            translator_.load(QLocale(QLocale::Dutch), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded_) installed_ = QCoreApplication::installTranslator(&translator_);
}

void QtTranslation::Remove() {
    if (!installed_) return;
    QCoreApplication::removeTranslator(&translator_);
    installed_ = false;
}

}  // namespace zeko::gui
