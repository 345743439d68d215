// The about box: its texts in either language, its colours, where its controls
// sit, its help key and its OK button.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>

#include "gui/about_box.h"
#include "settings/colour_schemes.h"
#include "settings/text_table.h"
#include "test_support.h"

namespace zeko::gui {
namespace {

using namespace zeko::testing;

QString Version(const char* word) {
    return QString::fromLatin1(word) + QString::number(ZEKO_VERSION_MAJOR) + QLatin1Char('.') +
           QString::number(ZEKO_VERSION_MINOR);
}

struct LanguageCase {
    int16_t language;
    QString title;
    QString version;
};

TEST(AboutBox, ShowsTheProgramItsVersionAndTheMakerInTheCurrentLanguage) {
    const LanguageCase cases[] = {
        {settings::kEnglish, QStringLiteral("About Zeko"), Version("Version ")},
        {settings::kDutch, QStringLiteral("Over Zeko"), Version("Versie ")},
    };
    for (const LanguageCase& c : cases) {
        LanguageScope scope(c.language);
        AboutBox about(TestIcon(), settings::kBuiltInTable1);
        EXPECT_EQ(about.windowTitle(), c.title);
        EXPECT_EQ(about.findChild<QLabel*>("Versionlabel")->text(), c.version);
        EXPECT_EQ(about.findChild<QLabel*>("Zekolabel")->text(), "Zeko");
        EXPECT_EQ(about.findChild<QLabel*>("Namelabel")->text(), "Kiezel Games");
        EXPECT_EQ(about.findChild<QLabel*>("crlabel")->text().size(), 1);
        EXPECT_EQ(about.findChild<QPushButton*>("okbutton")->text(), "OK");
    }
}

TEST(AboutBox, ShowsTheProgramIconAndTheEmblemInItsColours) {
    const QColor iconColour(10, 200, 30);
    for (const settings::ColourTable& table :
         {settings::kBuiltInTable1, settings::kMonochromeTable}) {
        AboutBox about(TestIcon(iconColour), table);
        about.show();
        const QImage image = Render(about);
        const QColor background = ItemColour(table, settings::kAboutBackground);
        const QColor text = ItemColour(table, settings::kAboutText);
        EXPECT_EQ(about.palette().color(QPalette::Window), background);
        EXPECT_EQ(about.palette().color(QPalette::WindowText), text);
        EXPECT_EQ(about.palette().color(QPalette::ButtonText), text);
        EXPECT_EQ(image.pixelColor(2, about.height() - 2), background);

        const QRect icon = about.findChild<QLabel*>("Iconbox")->geometry();
        EXPECT_EQ(CountPixels(image, iconColour, icon), icon.width() * icon.height());
        const QRect name = about.findChild<QLabel*>("Zekolabel")->geometry();
        EXPECT_GT(CountPixels(image, text, name), 10);
        // The emblem is drawn over the background, not a blank square.
        const QRect emblem = about.findChild<QLabel*>("KivIcon")->geometry();
        const int plain = CountPixels(image, background, emblem);
        EXPECT_GT(plain, 0);
        EXPECT_LT(plain, emblem.width() * emblem.height() * 9 / 10);
    }
}

TEST(AboutBox, PlacesItsControlsInUnitsOfAHundredByFifty) {
    AboutBox about(TestIcon(), settings::kBuiltInTable1);
    about.show();
    const double ux = about.width() / 100.0;
    const double uy = about.height() / 50.0;
    const auto geometry = [&](const char* name) {
        return about.findChild<QWidget*>(name)->geometry();
    };
    const auto centreX = [](QRect r) { return r.x() + r.width() / 2.0; };

    EXPECT_NEAR(geometry("Iconbox").x(), 4 * ux, 1);
    EXPECT_NEAR(geometry("Iconbox").y(), 3 * uy, 1);
    EXPECT_NEAR(geometry("KivIcon").x() + geometry("KivIcon").width(), 95 * ux, 1);
    EXPECT_NEAR(geometry("KivIcon").y(), 5 * uy, 1);
    EXPECT_NEAR(centreX(geometry("Zekolabel")), 50 * ux, 1);
    EXPECT_NEAR(geometry("Zekolabel").y(), 5 * uy, 1);
    EXPECT_NEAR(centreX(geometry("Versionlabel")), 50 * ux, 1);
    EXPECT_NEAR(geometry("Versionlabel").y(), 15 * uy, 1);
    EXPECT_NEAR(centreX(geometry("Namelabel")), 54 * ux, 1);
    EXPECT_NEAR(geometry("Namelabel").y(), 25 * uy, 1);
    EXPECT_NEAR(geometry("crlabel").x(), geometry("Namelabel").x() - 9 * ux, 1);
    EXPECT_NEAR(geometry("crlabel").y(), geometry("Namelabel").y() - 2 * uy, 1);
    EXPECT_NEAR(centreX(geometry("okbutton")), 50 * ux, 1);
    EXPECT_NEAR(geometry("okbutton").y(), 37 * uy, 1);
    // Everything fits, the lines do not run into each other or the button.
    for (const char* name :
         {"Iconbox", "KivIcon", "Zekolabel", "Versionlabel", "Namelabel", "crlabel", "okbutton"})
        EXPECT_TRUE(about.rect().contains(geometry(name))) << name;
    EXPECT_LE(geometry("Zekolabel").bottom(), geometry("Versionlabel").top());
    EXPECT_LE(geometry("Versionlabel").bottom(), geometry("Namelabel").top());
    EXPECT_LE(geometry("Namelabel").bottom(), geometry("okbutton").top());
}

TEST(AboutBox, F1AsksForHelpWithoutATopicAndOkCloses) {
    RecordingHelp help;
    AboutBox about(TestIcon(), settings::kBuiltInTable1);
    about.show();
    QTest::keyClick(&about, Qt::Key_F1);
    ASSERT_EQ(help.calls.size(), 1u);
    EXPECT_EQ(help.calls[0].Kind, "topic");
    EXPECT_EQ(help.calls[0].Topic, "");

    QTest::mouseClick(about.findChild<QPushButton*>("okbutton"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace zeko::gui
