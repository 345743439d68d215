#include "gui/help/help_browser.h"

#include <QHelpEngineCore>

namespace zeko::gui {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    // Pictures and style sheets are named relative to their page.
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() == QLatin1String("qthelp")) {
        if (engine_ == nullptr) return {};
        return engine_->fileData(url);
    }
    return QTextBrowser::loadResource(type, name);
}

}  // namespace zeko::gui
