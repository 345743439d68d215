// The about box: the program's icon, name and version, and the maker.
#pragma once

#include <QDialog>
#include <QIcon>

#include "settings/colour_schemes.h"

class QLabel;
class QPushButton;

namespace zeko::gui {

// `AboutBox`, shown modally by the Help menu's about item:
//     AboutBox about(programIcon, colours, this);
//     about.exec();
// `programIcon` is the program's current icon, `colours` the current colour
// table (items 21 and 22). Texts are those of the current language.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    AboutBox(const QIcon& programIcon, const settings::ColourTable& colours,
             QWidget* parent = nullptr);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void LayOut();

    QLabel* programIcon_;
    QLabel* makerEmblem_;
    QLabel* programNameLabel_;
    QLabel* versionLabel_;
    QLabel* makerLabel_;
    QLabel* copyrightLabel_;
    QLabel* licenceLabel_;
    QPushButton* okButton_;
};

}  // namespace zeko::gui
