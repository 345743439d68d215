// The options dialog: colour scheme and custom colours, language, the
// computer's response delay, the players' names and the game-file rule, on
// five tabs. It shows itself at once in the language chosen in it; the
// caller takes the values back after OK.
#pragma once

#include <QDialog>
#include <QIcon>
#include <array>
#include <cstdint>
#include <string>

#include "settings/colour_schemes.h"
#include "settings/exchange_settings.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace zeko::gui {

// Opened modally by the Options command:
//     OptionsDialog dialog(current, icon, this);
//     dialog.exec();
//     if (dialog.OkSelected()) ... dialog.Chosen(), dialog.ColorChanged() ...
class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    struct Values {
        std::string NameBottomHalf;
        std::string NameTopHalf;
        int16_t Language = settings::kEnglish;
        int32_t ColorScheme = settings::kSchemeTable1;
        settings::CustomColours CustomColors = settings::DefaultCustomColours();
        bool DelayActivated = false;
        bool DelayFixed = true;
        int16_t DelayTime = 3;  // seconds
        std::string GameFileName;
        int32_t GameFilePrompt = settings::kAlwaysAsk;
    };

    // The delay's range in seconds.
    static constexpr int kShortestDelay = 2;
    static constexpr int kLongestDelay = 10;
    // The tabs, in order; their help anchors follow the same order.
    enum Tab { kColoursTab, kLanguageTab, kDelayTab, kNamesTab, kGameFileTab, kTabCount };

    OptionsDialog(const Values& current, const QIcon& icon, QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // The values as the controls left them; after OK with the names and the
    // file name trimmed and the custom colours those the dialog edited.
    const Values& Chosen() const { return values_; }
    // The scheme was chosen or a custom colour changed.
    bool ColorChanged() const { return colorChanged_; }
    bool OkSelected() const { return okSelected_; }

    // Places the dialog centred over `main`.
    void CentreOver(const QWidget& main);

    // For tests: the controls as the dialog shows them.
    QTabWidget& Tabs() { return *tabs_; }
    QRadioButton& SchemeButton(int scheme) { return *schemes_[static_cast<size_t>(scheme)]; }
    QListWidget& ColourList() { return *colourList_; }
    QFrame& Sample() { return *sample_; }
    QPushButton& ChangeButton() { return *change_; }
    QRadioButton& LanguageButton(int16_t language);
    QCheckBox& DelayBox() { return *delay_; }
    QRadioButton& DelayTypeButton(int type) { return *delayTypes_[static_cast<size_t>(type)]; }
    QSlider& DelaySlider() { return *slider_; }
    QLabel& DelayLabel() { return *delayLabel_; }
    QLineEdit& NameEdit(int k) { return *names_[static_cast<size_t>(k)]; }  // 0 top, 1 bottom
    QRadioButton& GameFileButton(int rule) { return *gameFileRules_[static_cast<size_t>(rule)]; }
    QLineEdit& GameFileEdit() { return *gameFile_; }
    QPushButton& BrowseButton() { return *browse_; }
    QPushButton& OkButton() { return *ok_; }
    QPushButton& CancelButton() { return *cancel_; }
    QPushButton& HelpButton() { return *help_; }

  signals:
    // The language was chosen in the dialog: the program's texts follow it
    // while the dialog is open.
    void LanguageChosen(int16_t language);

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* MakeColoursTab();
    QWidget* MakeLanguageTab();
    QWidget* MakeDelayTab();
    QWidget* MakeNamesTab();
    QWidget* MakeGameFileTab();
    QString Text(int number) const;
    void ChooseLanguage(int16_t language);
    void Localize();
    void FillColourList();
    void ChooseScheme(int scheme);
    void ShowSampleColor();
    void ChangeColour();
    void ChooseDelayType(bool fixed);
    void ShowDelay(int seconds);
    void BrowseGameFile();
    void GameFileEdited();
    void ShowHelp();
    void Ok();

    Values values_;
    bool colorChanged_ = false;
    bool okSelected_ = false;

    QTabWidget* tabs_;
    std::array<QWidget*, kTabCount> pages_{};
    std::array<QRadioButton*, 4> schemes_{};
    QListWidget* colourList_ = nullptr;
    QLabel* sampleLabel_ = nullptr;
    QFrame* sample_ = nullptr;
    QPushButton* change_ = nullptr;
    std::array<QRadioButton*, 2> languages_{};  // Dutch, English
    QCheckBox* delay_ = nullptr;
    std::array<QRadioButton*, 2> delayTypes_{};  // click to see, fixed
    QSlider* slider_ = nullptr;
    QLabel* delayLabel_ = nullptr;
    std::array<QLabel*, 2> nameLabels_{};
    std::array<QLineEdit*, 2> names_{};
    QLabel* gameFileNeeded_ = nullptr;
    std::array<QRadioButton*, 3> gameFileRules_{};
    QLabel* gameFileLabel_ = nullptr;
    QLineEdit* gameFile_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
};

}  // namespace zeko::gui
