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
    setObjectName(QStringLiteral("AboutBox"));
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

    iconbox_ = new QLabel(this);
    iconbox_->setObjectName(QStringLiteral("Iconbox"));
    iconbox_->setPixmap(programIcon.pixmap(kIconSize, kIconSize));
    iconbox_->setFixedSize(kIconSize, kIconSize);

    kivIcon_ = new QLabel(this);
    kivIcon_->setObjectName(QStringLiteral("KivIcon"));
    kivIcon_->setPixmap(MakerEmblem(kEmblemSize));
    kivIcon_->setFixedSize(kEmblemSize, kEmblemSize);

    const QFont labelFont = SansSerif(9.75, true);
    zekolabel_ = MakeLabel(this, "Zekolabel", FromStd(kAppName), labelFont);
    versionlabel_ = MakeLabel(this, "Versionlabel",
                              Text(settings::kTextVersion) + QString::number(ZEKO_VERSION_MAJOR) +
                                  QLatin1Char('.') + QString::number(ZEKO_VERSION_MINOR),
                              labelFont);
    namelabel_ = MakeLabel(this, "Namelabel", FromStd(kCompanyName), labelFont);
    crlabel_ = MakeLabel(this, "crlabel", QStringLiteral("\u00A9"), SansSerif(13.5, true));
    licencelabel_ = MakeLabel(this, "Licencelabel", LicenceLine(), SansSerif(8.25, false));

    okbutton_ = new QPushButton(Text(settings::kTextOk), this);
    okbutton_->setObjectName(QStringLiteral("okbutton"));
    StyleButton(*okbutton_, background, text);
    okbutton_->setDefault(true);
    okbutton_->resize(std::max(okbutton_->sizeHint().width(), 80), okbutton_->sizeHint().height());
    connect(okbutton_, &QPushButton::clicked, this, &QDialog::accept);

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
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        settings::texts::ShowHelpTopic(this, settings::kHelpTopicAbout);
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void AboutBox::LayOut() {
    // The client area is (0, 0)-(100, 50).
    const double ux = width() / 100.0;
    const double uy = height() / 50.0;
    const auto centred = [ux](double x, const QWidget* widget) {
        return Round(x * ux - widget->width() / 2.0);
    };
    iconbox_->move(Round(4 * ux), Round(3 * uy));
    kivIcon_->move(Round(95 * ux) - kivIcon_->width(), Round(5 * uy));
    zekolabel_->move(centred(50, zekolabel_), Round(5 * uy));
    versionlabel_->move(centred(50, versionlabel_), Round(15 * uy));
    namelabel_->move(centred(54, namelabel_), Round(25 * uy));
    crlabel_->move(namelabel_->x() - Round(9 * ux), namelabel_->y() - Round(2 * uy));
    licencelabel_->move(centred(50, licencelabel_), Round(31 * uy));
    okbutton_->move(centred(50, okbutton_), Round(37 * uy));
}

}  // namespace zeko::gui
