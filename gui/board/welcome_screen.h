// The greeting that covers the main window's board when the window opens.
#pragma once

#include <QWidget>

#include "settings/colour_schemes.h"

namespace zeko::gui {

// The panel `WelcomeScreen`. Its owner places it once over the client area, raises
// it, gives it the focus, and hides it when the game control handles the
// dismissal (event 1); the panel never moves or resizes itself.
class WelcomeScreen : public QWidget {
    Q_OBJECT

  public:
    explicit WelcomeScreen(QWidget* parent);

    // Takes the current colour table (items 17-20) and repaints.
    void SetColours(const settings::ColourTable& colours);
    // Repaints with the greeting of the current language.
    void Refresh() { update(); }
    // The greeting, for a screen reader, in the current language.
    void RefreshAccessibleName();

  signals:
    // A click or a key on the panel: the owner posts the dismissal. Sent at
    // most once each time the panel is shown.
    void DismissRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab is a key like any other here: it dismisses the panel.
    bool focusNextPrevChild(bool) override { return false; }

  private:
    void RequestDismissal();

    settings::ColourTable colours_ = settings::kBuiltInTable1;
    bool pressed_ = false;
    bool dismissalRequested_ = false;
};

}  // namespace zeko::gui
