// The Tools menu's new-position editor and options dialog, opened by clicks
// on the main window's menu and driven by clicks and keys as a person would,
// with what the main window takes from them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "gui/board/board_style.h"
#include "gui/board/board_view.h"
#include "gui/board/pit_view.h"
#include "gui/board/score_bar.h"
#include "gui/dialogs/new_position_editor.h"
#include "gui/dialogs/options_dialog.h"
#include "gui/window/main_window.h"
#include "settings/text_id.h"
#include "settings/text_table.h"
#include "tests/gui/window_driver.h"

namespace zeko::gui {
namespace {

using namespace settings;

class DialogsTest : public WindowTest {
  protected:
    // The Tools menu's editor and options dialog, handled by `act`.
    void Editor(std::function<void(NewPositionEditor&)> act) {
        WhenShown(std::move(act));
        Choose(3, 1);
    }
    void Options(std::function<void(OptionsDialog&)> act) {
        WhenShown(std::move(act));
        Choose(3, 4);
    }
};

std::vector<int> Counts(NewPositionEditor& editor) {
    std::vector<int> counts;
    for (int pit = 0; pit < engine::kPits; ++pit)
        counts.push_back(editor.Pit(pit).ShownCount());
    return counts;
}

TEST_F(DialogsTest, TheEditorSetsUpAPositionByClicksAndKeepsItsBoardForTheRun) {
    Open();
    RecordingHelp help;
    Editor([&](NewPositionEditor& e) {
        // The first opening shows the game's position, beside the main window.
        EXPECT_EQ(Counts(e), std::vector<int>(12, 4));
        EXPECT_EQ(e.frameGeometry().height(), window_->frameGeometry().height());
        EXPECT_FALSE(e.windowFlags() & Qt::WindowMaximizeButtonHint);
        // Its buttons stand in its own background colour.
        ExpectDrawnIn(e.ClearButton(), ItemColour(window_->Colours(), kNewPositionBackground),
                      e.palette().color(QPalette::ButtonText));
        Press(e.ClearButton());
        EXPECT_EQ(Counts(e), std::vector<int>(12, 0));
        EXPECT_FALSE(e.OkButton().isEnabled());  // 24 and 24
        EXPECT_EQ(e.ScoreLabel(0).text(), "Computer : 24");
        // Disabled, it stands in the same colours but does not look the same.
        const QImage disabled = e.OkButton().grab().toImage();
        ExpectDrawnIn(e.OkButton(), ItemColour(window_->Colours(), kNewPositionBackground),
                      e.palette().color(QPalette::ButtonText));
        Press(e.Pit(3));  // from the top half's store on a tie
        EXPECT_EQ(e.ScoreLabel(0).text(), "Computer : 23");
        EXPECT_TRUE(e.OkButton().isEnabled());
        EXPECT_TRUE(e.OkButton().grab().toImage() != disabled) << "looks as when disabled";
        // Only the bottom half can move: the box names it, whatever is clicked.
        EXPECT_TRUE(e.NextToMoveBox().isEnabled());
        Press(e.NextToMoveBox());
        EXPECT_FALSE(e.NextToMoveBox().isChecked());
        // The score bars move stones between the stores; other buttons do nothing.
        Press(e.ScoreBarOf(0), Qt::RightButton);
        EXPECT_EQ(e.ScoreLabel(1).text(), "Human : 25");
        EXPECT_FALSE(e.OkButton().isEnabled());
        Press(e.ScoreBarOf(1), Qt::RightButton);
        Press(e.Pit(3), Qt::MiddleButton);
        EXPECT_EQ(e.ScoreLabel(0).text(), "Computer : 23");
        // The bar shows its chips as drawn bit by bit and as painted whole.
        for (const bool repainted : {false, true})
            EXPECT_EQ(ChipsShown(e.ScoreBarOf(0), repainted), 23) << repainted;
        QTest::keyClick(&e, Qt::Key_F1);
        Press(e.HelpButton());
        Press(e.CancelButton());
    });
    EXPECT_EQ(help.topics, std::vector<std::string>(2, "newpos.html"));
    EXPECT_EQ(Record().Board, engine::kStartBoard);

    // Cancel kept the edits; Reset goes back to them after more.
    Editor([&](NewPositionEditor& e) {
        std::vector<int> edited(12, 0);
        edited[3] = 1;
        EXPECT_EQ(Counts(e), edited);
        Press(e.Pit(3), Qt::RightButton);
        Press(e.Pit(8));
        Press(e.Pit(8));
        EXPECT_TRUE(e.NextToMoveBox().isChecked());  // only the top half can move
        Press(e.ResetButton());
        EXPECT_EQ(Counts(e), edited);
        EXPECT_FALSE(e.NextToMoveBox().isChecked());
        Press(e.Pit(3), Qt::RightButton);
        Press(e.Pit(8));
        Press(e.Pit(9));
        Press(e.Pit(0));
        // Both can move now: the box stays as the last position left it.
        EXPECT_TRUE(e.NextToMoveBox().isChecked());
        // Enter is OK wherever the focus is but on another button.
        e.NextToMoveBox().setFocus();
        QTest::keyClick(&e, Qt::Key_Return);
    });
    // The computer plays the top half set up and thinks at once.
    Settle();
    const game::Board setUp = {1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 22, 23};
    EXPECT_EQ(Record().StartBoard, setUp);
    EXPECT_EQ(Record().MoveCount, 1);
    EXPECT_GE(Record().Moves[1], engine::kPitsPerRow);
    EXPECT_TRUE(window_->Control().NewPositionTopToMove());
    EXPECT_EQ(window_->Board().Pit(0).ShownCount(), Record().Board[0]);
}

TEST_F(DialogsTest, TwoPeoplePlayOnFromTheSetUpWithTheNameOfTheTopHalfInTheBox) {
    ProgramSettings settings;
    settings.ComputerGame = false;
    settings.NameTopHalf = "Bob & Co";
    settings.ViewOptions[kViewGraphicScores] = false;
    Open(settings);
    Editor([&](NewPositionEditor& e) {
        EXPECT_EQ(e.NextToMoveBox().text(), "Bob && Co Moves &Next");
        EXPECT_TRUE(e.ScoreLabel(0).isVisible());
        EXPECT_FALSE(e.ScoreBarOf(0).isVisible());
        Press(e.ScoreLabel(0));  // a stone into the top half's store from the bottom's
        EXPECT_EQ(e.ScoreLabel(0).text(), "Bob & Co : 0");  // the bottom's store is empty
        QTest::keyClick(&e, Qt::Key_N, Qt::AltModifier);    // the box's access key
        EXPECT_TRUE(QTest::qWaitFor([&] { return e.NextToMoveBox().isChecked(); }));
        Press(e.OkButton());
    });
    Settle();
    EXPECT_TRUE(Record().TopToMove);
    Press(window_->Board().Pit(8));
    Settle();
    EXPECT_EQ(Record().Moves[1], 8);
    EXPECT_FALSE(Record().TopToMove);
}

TEST_F(DialogsTest, EveryTextOfBothDialogsIsShownWholeInBothLanguages) {
    for (const int16_t language : {kDutch, kEnglish}) {
        ProgramSettings settings;
        settings.Language = language;
        settings.ComputerGame = false;
        settings.NameTopHalf = std::string(kMaxNameLength, 'W');
        Open(settings);
        SCOPED_TRACE(language);
        // From a small main window, and at the editor's smallest size.
        window_->resize(320, 240);
        Editor([&](NewPositionEditor& e) {
            ExpectTextsFit(e);
            e.resize(e.minimumSize());
            ExpectTextsFit(e);
            Press(e.CancelButton());
        });
        Options([&](OptionsDialog& d) {
            for (int tab = 0; tab < OptionsDialog::kTabCount; ++tab) {
                d.Tabs().setCurrentIndex(tab);
                ExpectTextsFit(d);
            }
            QTest::keyClick(&d, Qt::Key_Escape);
        });
    }
}

TEST_F(DialogsTest, OptionsApplyAfterOkOnlyAndAreWrittenAtClose) {
    Open();
    const QColor red(255, 0, 0);
    const QString file = QString::fromStdString(home_.Root()) + "/games.zgf";
    testing::WriteFile(file.toStdString(), "");
    for (const bool ok : {false, true}) {
        Options([&](OptionsDialog& d) {
            // The colours: Change... only for the custom scheme, chosen in
            // any way: here as an assistive tool chooses it.
            DoAccessibleAction(d.SchemeButton(kSchemeCustom),
                               QAccessibleActionInterface::toggleAction());
            EXPECT_TRUE(d.ChangeButton().isEnabled());
            Press(d.SchemeButton(kSchemeTable2));
            EXPECT_FALSE(d.ChangeButton().isEnabled());
            d.ColourList().setCurrentRow(kChips);
            EXPECT_EQ(d.Sample().palette().color(QPalette::Window),
                      ToQColor(kBuiltInTable2[kChips]));
            Press(d.SchemeButton(kSchemeCustom));
            d.ColourList().setCurrentRow(kZekoBackground);
            WhenShown<QColorDialog>([&](QColorDialog& colours) {
                colours.setCurrentColor(red);
                colours.accept();
            });
            Press(d.ChangeButton());
            EXPECT_EQ(d.Sample().palette().color(QPalette::Window), red);
            // The delay.
            d.Tabs().setCurrentIndex(OptionsDialog::kDelayTab);
            EXPECT_FALSE(d.DelayTypeButton(1).isEnabled());
            Press(d.DelayBox());
            DoAccessibleAction(d.DelayTypeButton(0), QAccessibleActionInterface::toggleAction());
            EXPECT_FALSE(d.DelaySlider().isEnabled());
            Press(d.DelayTypeButton(1));
            d.DelaySlider().setFocus();
            for (int step = 0; step < 4; ++step)
                QTest::keyClick(&d.DelaySlider(), Qt::Key_Right);
            EXPECT_EQ(d.DelayLabel().text(), "Delay by 7 seconds");
            // The names: at most 20 characters, trimmed.
            d.Tabs().setCurrentIndex(OptionsDialog::kNamesTab);
            QTest::keyClicks(&d.NameEdit(0), "  Bob of the High Hills");
            QTest::keyClicks(&d.NameEdit(1), " Ann ");
            // The game file: the default file only when it exists.
            d.Tabs().setCurrentIndex(OptionsDialog::kGameFileTab);
            EXPECT_FALSE(d.GameFileButton(kUseDefaultFile).isEnabled());
            WhenShown<QFileDialog>([&](QFileDialog& files) {
                QLineEdit* name = files.findChild<QLineEdit*>("fileNameEdit");
                name->clear();
                QTest::keyClicks(name, file);
                QTest::keyClick(name, Qt::Key_Return);
            });
            Press(d.BrowseButton());
            EXPECT_EQ(d.GameFileEdit().text(), file);
            Press(d.GameFileButton(kUseDefaultFile));
            Press(ok ? d.OkButton() : d.CancelButton());
        });
        const ProgramSettings& s = window_->Settings();
        EXPECT_EQ(s.CustomColors[0] == Rgb(255, 0, 0), ok);
        EXPECT_EQ(window_->Colours()[kZekoBackground] == Rgb(255, 0, 0), ok);
        EXPECT_EQ(window_->Board().grab().toImage().pixelColor(2, 2) == red, ok);
        EXPECT_EQ(window_->Control().Options().DelayTime, ok ? 7 : 3);
        EXPECT_EQ(Record().NameTopHalf, ok ? "Bob of the High Hi" : "");
        EXPECT_EQ(Record().NameBottomHalf, ok ? "Ann" : "");
    }
    // The names show at once.
    EXPECT_EQ(window_->Board().ScoreLabel(1).text(), "Ann : 0");
    window_->close();
    ProgramSettings read;
    ExchangeSettings(SettingsExchange::Read, read);
    EXPECT_EQ(read.ColorScheme, kSchemeCustom);
    EXPECT_EQ(read.CustomColors[0], Rgb(255, 0, 0));
    EXPECT_TRUE(read.DelayActivated);
    EXPECT_TRUE(read.DelayFixed);
    EXPECT_EQ(read.DelayTime, 7);
    EXPECT_EQ(read.NameTopHalf, "Bob of the High Hi");
    EXPECT_EQ(read.NameBottomHalf, "Ann");
    EXPECT_EQ(read.DefaultGameFile, file.toStdString());
    EXPECT_EQ(read.GameFilePrompt, kUseDefaultFile);
}

TEST_F(DialogsTest, TheLanguageChosenRelabelsTheDialogAtOnceAndTheWindowAfterOk) {
    Open();
    RecordingHelp help;
    const auto qtCancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    for (const bool ok : {false, true}) {
        Options([&](OptionsDialog& d) {
            d.Tabs().setCurrentIndex(OptionsDialog::kLanguageTab);
            // By its access key "&Dutch", or as an assistive tool chooses it.
            if (ok)
                DoAccessibleAction(d.LanguageButton(kDutch),
                                   QAccessibleActionInterface::toggleAction());
            else
                QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier);
            EXPECT_TRUE(QTest::qWaitFor([&] { return d.LanguageButton(kDutch).isChecked(); }));
            EXPECT_EQ(d.windowTitle(), "Opties");
            EXPECT_EQ(d.Tabs().tabText(0), "Kleuren");
            EXPECT_EQ(d.ColourList().item(2)->text(), "Stenen");
            EXPECT_EQ(d.ColourList().item(2)->data(Qt::UserRole).toInt(), 2);
            EXPECT_EQ(d.DelayLabel().text(), "Vertraag met 3 seconden");
            EXPECT_EQ(d.CancelButton().text(), "Annuleer");
            // Qt's own dialogs opened from here speak Dutch too.
            EXPECT_EQ(qtCancel(), "Annuleren");
            for (int tab = 0; tab < OptionsDialog::kTabCount; ++tab) {
                d.Tabs().setCurrentIndex(tab);
                QTest::keyClick(&d, Qt::Key_F1);
            }
            Press(ok ? d.OkButton() : d.CancelButton());
        });
        EXPECT_EQ(window_->menuBar()->actions()[0]->text(), ok ? "&Partij" : "&Game");
        EXPECT_EQ(window_->Settings().Language, ok ? kDutch : kEnglish);
        EXPECT_EQ(qtCancel(), ok ? "Annuleren" : "Cancel");
    }
    ASSERT_EQ(help.topics.size(), 10u);
    EXPECT_EQ(help.topics[0], "options.html#Colors");
    EXPECT_EQ(help.topics[4], "options.html#GameFile");
    // A default file that is gone, or deleted from the box, cannot be the rule.
    Options([&](OptionsDialog& d) {
        d.Tabs().setCurrentIndex(OptionsDialog::kGameFileTab);
        const QString file = QString::fromStdString(home_.Root()) + "/games.zgf";
        testing::WriteFile(file.toStdString(), "");
        d.GameFileEdit().setText(file);
        Press(d.GameFileButton(kUseDefaultFile));
        QTest::keyClick(&d.GameFileEdit(), Qt::Key_Delete);
        EXPECT_EQ(d.GameFileEdit().text(), "");
        EXPECT_TRUE(d.GameFileButton(kAskOncePerRun).isChecked());
        EXPECT_FALSE(d.GameFileButton(kUseDefaultFile).isEnabled());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
}

}  // namespace
}  // namespace zeko::gui
