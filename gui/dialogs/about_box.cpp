#include "gui/dialogs/about_box.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "gui/board/board_style.h"
#include "gui/dialogs/help_key.h"
#include "gui/dialogs/maker_emblem.h"
#include "settings/company.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

namespace {

constexpr int kIconSize = 32;
constexpr int kEmblemSize = 40;

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Text(int number) {
    return QString::fromStdString(settings::texts::GetText(number));
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->adjustSize();
    return label;
}

// The licence in one line; its identifier reads the same in both languages.
QString LicenceLine() {
    return QString::fromUtf8(settings::texts::CurrentLanguage() == settings::kDutch ? "Licentie: "
                                                                                    : "Licence: ") +
           QStringLiteral("GPL-3.0-or-later");
}

int Round(double pixels) {
    return static_cast<int>(std::lround(pixels));
}

}  // namespace

AboutBox::AboutBox(const QIcon& programIcon, const settings::ColourTable& colours, QWidget* parent)
    : QDialog(parent) {
    using namespace settings;
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(Text(settings::kTextAboutCaption) + FromStd(kAppName));
    setWindowIcon(programIcon);

    QPalette palette = this->palette();
    const QColor background = ToQColor(colours[kAboutBackground]);
    const QColor text = ToQColor(colours[kAboutText]);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    setPalette(palette);
    setAutoFillBackground(true);

    programIcon_ = new QLabel(this);
    programIcon_->setObjectName(QStringLiteral("programIcon"));
    programIcon_->setPixmap(programIcon.pixmap(kIconSize, kIconSize));
    programIcon_->setFixedSize(kIconSize, kIconSize);

    makerEmblem_ = new QLabel(this);
    makerEmblem_->setObjectName(QStringLiteral("makerEmblem"));
    makerEmblem_->setPixmap(MakerEmblem(kEmblemSize));
    makerEmblem_->setFixedSize(kEmblemSize, kEmblemSize);

    const QFont labelFont = SansSerif(9.75, true);
    programNameLabel_ = MakeLabel(this, "programNameLabel", FromStd(kAppName), labelFont);
    versionLabel_ = MakeLabel(this, "versionLabel",
                              Text(settings::kTextVersion) + QString::number(ZEKO_VERSION_MAJOR) +
                                  QLatin1Char('.') + QString::number(ZEKO_VERSION_MINOR),
                              labelFont);
    makerLabel_ = MakeLabel(this, "makerLabel", FromStd(kCompanyName), labelFont);
    copyrightLabel_ =
        MakeLabel(this, "copyrightLabel", QStringLiteral("\u00A9"), SansSerif(13.5, true));
    licenceLabel_ = MakeLabel(this, "licenceLabel", LicenceLine(), SansSerif(8.25, false));

    okButton_ = new QPushButton(Text(settings::kTextOk), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    StyleButton(*okButton_, background, text);
    okButton_->setDefault(true);
    okButton_->resize(std::max(okButton_->sizeHint().width(), 80), okButton_->sizeHint().height());
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    // Two units across for one down keeps the units square; the height leaves
    // room for the button below the three lines at any font size.
    const int clientHeight = std::max(200, 12 * QFontMetrics(labelFont).height());
    setFixedSize(2 * clientHeight, clientHeight);
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    LayOut();
}

void AboutBox::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void AboutBox::keyReleaseEvent(QKeyEvent* event) {
    if (IsHelpKey(event))
        settings::texts::ShowHelpTopic(this, settings::kHelpTopicAbout);
    else
        QDialog::keyReleaseEvent(event);
}

void AboutBox::LayOut() {
    // The client area is (0, 0)-(100, 50).
    const double ux = width() / 100.0;
    const double uy = height() / 50.0;
    const auto centred = [ux](double x, const QWidget* widget) {
        return Round(x * ux - widget->width() / 2.0);
    };
    programIcon_->move(Round(4 * ux), Round(3 * uy));
    makerEmblem_->move(Round(95 * ux) - makerEmblem_->width(), Round(5 * uy));
    programNameLabel_->move(centred(50, programNameLabel_), Round(5 * uy));
    versionLabel_->move(centred(50, versionLabel_), Round(15 * uy));
    makerLabel_->move(centred(54, makerLabel_), Round(25 * uy));
    copyrightLabel_->move(makerLabel_->x() - Round(9 * ux), makerLabel_->y() - Round(2 * uy));
    licenceLabel_->move(centred(50, licenceLabel_), Round(31 * uy));
    okButton_->move(centred(50, okButton_), Round(37 * uy));
}

}  // namespace zeko::gui
