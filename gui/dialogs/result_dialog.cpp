#include "gui/dialogs/result_dialog.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <utility>

#include "gui/board/board_style.h"
#include "gui/dialogs/help_key.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

using settings::texts::CurrentText;

namespace {

// What a title bar holds beside the title: the icon and three buttons.
constexpr int kTitleBarExtras = 160;

QColor PaletteColour(int number) {
    return gui::ToQColor(StandardPaletteColour(number));
}

}  // namespace

// The animation panel: keeps what the animation drew, as a screen would, and shows it.
class PolygonPicture : public QWidget {
  public:
    explicit PolygonPicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("animationPanel"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(240, 120);
        Clear();
    }

    void Draw(const std::vector<BouncingPolygons::Stroke>& strokes) {
        if (canvas_.isNull()) return;
        QPainter painter(&canvas_);
        // Without smoothing an erasure covers exactly the pixels it drew.
        painter.setRenderHint(QPainter::Antialiasing, false);
        // The scale is 0-100 both ways at whatever size the picture has.
        const double sx = (canvas_.width() - 1) / 100.0;
        const double sy = (canvas_.height() - 1) / 100.0;
        for (const BouncingPolygons::Stroke& stroke : strokes) {
            QPolygonF line;
            for (const Point16& p : stroke.Points)
                line << QPointF(p.X * sx, p.Y * sy);
            painter.setPen(QPen(PaletteColour(stroke.ColourNumber), 0));
            painter.drawPolyline(line);
        }
        update();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        Clear();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, canvas_);
    }

  private:
    void Clear() {
        canvas_ = QImage(size(), QImage::Format_RGB32);
        canvas_.fill(Qt::black);
    }

    QImage canvas_;
};

ResultDialog::ResultDialog(const ResultData& outcome, game::GameEnd finalState,
                           const QIcon& programIcon, QWidget* parent, Environment environment)
    : QDialog(parent),
      finalState_(finalState),
      data_(outcome),
      bottomWon_(BottomHalfWon(outcome)),
      generator_(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())),
      env_(WithDefaults(std::move(environment))),
      animation_(AnimationSizeFor(bottomWon_, ResultLevel(outcome)), env_.Rnd),
      helpTopic_(ResultHelpTopic(finalState)),
      animationTimer_(new QTimer(this)),
      picture1_(new PolygonPicture(this)),
      programIcon_(new QLabel(this)),
      okButton_(new QPushButton(this)) {
    setObjectName(QStringLiteral("resultDialog"));
    setWindowIcon(programIcon);
    setWindowTitle(QString::fromStdString(ResultCaption(finalState_, CurrentText)));

    programIcon_->setObjectName(QStringLiteral("programIcon"));
    programIcon_->setPixmap(programIcon.pixmap(32, 32));
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setText(QString::fromStdString(CurrentText(settings::kTextOk)));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    const std::array<std::string, 6> labels = ResultLabels(data_, CurrentText);
    for (std::size_t i = 0; i < scoreLabels_.size(); ++i) {
        scoreLabels_[i] = new QLabel(QString::fromStdString(labels[i]), this);
        scoreLabels_[i]->setObjectName(QStringLiteral("scoreLabel%1").arg(i));
        scoreLabels_[i]->setTextFormat(Qt::PlainText);  // a name is never markup
        if (i >= 2) scoreLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    const std::array<std::string, 2> comment = ResultComment(finalState_, data_, CurrentText);
    for (std::size_t i = 0; i < commentLabels_.size(); ++i) {
        commentLabels_[i] = new QLabel(QString::fromStdString(comment[i]), this);
        commentLabels_[i]->setObjectName(QStringLiteral("commentLabel%1").arg(i));
        // An empty line takes no room.
        commentLabels_[i]->setVisible(!comment[i].empty());
    }

    // The icon beside the two result rows, the comment below them, the
    // animation taking what room the dialog gives, and the button at the foot.
    auto* scores = new QGridLayout;
    scores->addWidget(programIcon_, 0, 0, 2, 1, Qt::AlignTop);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column)
            scores->addWidget(scoreLabels_[static_cast<std::size_t>(row + 2 * column)], row,
                              column + 1);
    }
    scores->setColumnStretch(1, 1);
    scores->setColumnMinimumWidth(0, 48);
    auto* button = new QHBoxLayout;
    button->addStretch();
    button->addWidget(okButton_);
    button->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scores);
    layout->addWidget(commentLabels_[0]);
    layout->addWidget(commentLabels_[1]);
    layout->addWidget(picture1_, 1);
    layout->addLayout(button);

    // Wide enough for the whole title beside the title bar's buttons.
    const QFontMetrics titleMetrics(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    setMinimumWidth(std::max(layout->sizeHint().width(),
                             titleMetrics.horizontalAdvance(windowTitle()) + kTitleBarExtras));

    animationTimer_->setObjectName(QStringLiteral("animationTimer"));
    animationTimer_->setInterval(kTickMs);
    connect(animationTimer_, &QTimer::timeout, this, &ResultDialog::AnimationStep);
}

ResultDialog::~ResultDialog() = default;

ResultDialog::Environment ResultDialog::WithDefaults(Environment environment) {
    if (!environment.Rnd) {
        environment.Rnd = [this] {
            return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
        };
    }
    if (!environment.SecondsSinceMidnight) {
        environment.SecondsSinceMidnight = [] {
            return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        };
    }
    return environment;
}

bool ResultDialog::AnimationRunning() const {
    return animationTimer_->isActive();
}

void ResultDialog::AnimationStep() {
    picture1_->Draw(animation_.Step(env_.SecondsSinceMidnight()));
}

void ResultDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    animationTimer_->start();
}

void ResultDialog::hideEvent(QHideEvent* event) {
    animationTimer_->stop();
    QDialog::hideEvent(event);
}

void ResultDialog::keyReleaseEvent(QKeyEvent* event) {
    if (IsHelpKey(event))
        settings::texts::ShowHelpTopic(this, helpTopic_);
    else
        QDialog::keyReleaseEvent(event);
}

}  // namespace zeko::gui
