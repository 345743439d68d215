#include "gui/board/welcome_screen.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>

#include "gui/board/board_style.h"
#include "settings/company.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

namespace {

// The panel's own units: (0, 0) top left to (100, 100) bottom right.
class Units {
  public:
    explicit Units(QSize pixels) : x_(pixels.width() / 100.0), y_(pixels.height() / 100.0) {}
    double X(double x) const { return x * x_; }
    double Y(double y) const { return y * y_; }
    QPointF Point(double x, double y) const { return {X(x), Y(y)}; }

  private:
    double x_;
    double y_;
};

// Text is placed by its top edge, so that a line's place does not depend on the font.
void DrawTextTopLeft(QPainter& painter, QPointF topLeft, const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(topLeft + QPointF(0, metrics.ascent()), text);
}

bool IsModifierOnly(int key) {
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
            return true;
        default:
            return false;
    }
}

}  // namespace

WelcomeScreen::WelcomeScreen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("welcomeScreen"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    RefreshAccessibleName();
}

void WelcomeScreen::RefreshAccessibleName() {
    QStringList lines;
    for (int k = 0; k < 3; ++k)
        lines << QString::fromStdString(
            settings::texts::GetText(settings::kTextFirstWelcomeLine + k));
    // The lines' double blanks are for the eye.
    setAccessibleName(lines.join(QLatin1Char(' ')).simplified());
}

void WelcomeScreen::SetColours(const settings::ColourTable& colours) {
    colours_ = colours;
    update();
}

void WelcomeScreen::paintEvent(QPaintEvent*) {
    using namespace settings;
    const Units u(size());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), ToQColor(colours_[kWelcomeBackground]));

    // The double frame, two units apart.
    QPen framePen(ToQColor(colours_[kWelcomeFrameAndGreeting]), 4);
    framePen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(framePen);
    painter.setBrush(ToQColor(colours_[kWelcomeFrameFill]));
    painter.drawRect(QRectF(u.Point(20, 10), u.Point(80, 63)));
    painter.drawRect(QRectF(u.Point(22, 13), u.Point(78, 60)));

    // Each greeting line centred on x = 50, whatever its length.
    painter.setFont(SansSerif(20, true));
    const QFontMetricsF greetingMetrics(painter.font(), this);
    for (int k = 0; k < 3; ++k) {
        const QString line =
            QString::fromStdString(texts::GetText(settings::kTextFirstWelcomeLine + k));
        const double left = u.X(50) - greetingMetrics.horizontalAdvance(line) / 2;
        DrawTextTopLeft(painter, QPointF(left, u.Y(15.0 * (k + 1))), line);
    }

    // The credit line: a "c" in a ring, then the maker's name.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ToQColor(colours_[kWelcomeCreditLine]), 2));
    const double radius = u.X(1.5);  // circles keep the horizontal scale
    painter.drawEllipse(u.Point(24, 85.5), radius, radius);

    painter.setFont(SansSerif(10, true));
    const QFontMetricsF markMetrics(painter.font(), this);
    const QString mark = QStringLiteral("c");
    DrawTextTopLeft(painter,
                    QPointF(u.X(24) - markMetrics.horizontalAdvance(mark) / 2,
                            u.Y(85.5) - markMetrics.height() / 1.75),
                    mark);

    painter.setFont(SansSerif(16, true));
    DrawTextTopLeft(
        painter, u.Point(28, 82),
        QString::fromUtf8(kCompanyName.data(), static_cast<qsizetype>(kCompanyName.size())));
}

void WelcomeScreen::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    event->accept();
}

void WelcomeScreen::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) RequestDismissal();
}

void WelcomeScreen::keyPressEvent(QKeyEvent* event) {
    // Shift, Ctrl or Alt alone is no key press of its own; Alt opens the menus.
    if (IsModifierOnly(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    RequestDismissal();
}

void WelcomeScreen::showEvent(QShowEvent* event) {
    // A restored window shows its children again without a new showing.
    if (!event->spontaneous()) {
        dismissalRequested_ = false;
        pressed_ = false;
    }
    QWidget::showEvent(event);
}

void WelcomeScreen::RequestDismissal() {
    // A second dismissal, from a double click or a repeating key before the
    // first was handled, would set the play state again in the middle of play.
    if (dismissalRequested_) return;
    dismissalRequested_ = true;
    emit DismissRequested();
}

}  // namespace zeko::gui
