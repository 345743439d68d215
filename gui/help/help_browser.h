// The page view of the help window: a text browser that reads the pages, their
// pictures and their style sheet out of the compiled help.
#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

namespace zeko::gui {

class HelpBrowser : public QTextBrowser {
  public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // The help the qthelp:// addresses are read from; not owned. Null: none.
    void SetEngine(const QHelpEngineCore* engine) { engine_ = engine; }

    QVariant loadResource(int type, const QUrl& name) override;

  private:
    const QHelpEngineCore* engine_ = nullptr;
};

}  // namespace zeko::gui
