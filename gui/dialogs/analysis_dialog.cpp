#include "gui/dialogs/analysis_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/host_messages.h"
#include "gui/dialogs/clear_placement.h"
#include "gui/dialogs/help_key.h"
#include "platform/message_queue.h"
#include "platform/numbered_error.h"
#include "settings/help.h"
#include "settings/text_table.h"

namespace zeko::gui {

using engine::kPitsPerRow;
using settings::texts::CurrentText;

namespace {

QString T(int number) {
    return QString::fromStdString(CurrentText(number));
}

}  // namespace

// The main line, and below it the six pit letters with their captions, each
// centred at one to six sevenths of the width, so that it stands under its
// pit of the board.
class PitCaptions : public QWidget {
  public:
    PitCaptions(bool rotated, QWidget* parent) : QWidget(parent), mainLine_(new QLabel(this)) {
        setObjectName(QStringLiteral("pitCaptions"));
        mainLine_->setObjectName(QStringLiteral("mainLineLabel"));
        mainLine_->setWordWrap(true);
        QFont bold = font();
        bold.setBold(true);
        for (size_t i = 0; i < labels_.size(); ++i) {
            const int label = static_cast<int>(i);
            letters_[i] = new QLabel(QString(QLatin1Char(LetterOfLabel(label, rotated))), this);
            letters_[i]->setObjectName(QStringLiteral("pitLetter%1").arg(i));
            letters_[i]->setAlignment(Qt::AlignCenter);
            letters_[i]->setFont(bold);
            labels_[i] = new QLabel(this);
            labels_[i]->setObjectName(QStringLiteral("analysisLabel%1").arg(i));
            labels_[i]->setAlignment(Qt::AlignCenter);
        }
        // Room for the longest caption in every seventh, and for a main line
        // of sixteen moves on two lines.
        const QFontMetrics metrics = fontMetrics();
        int widest = 0;
        for (int16_t language : {settings::kDutch, settings::kEnglish}) {
            for (int text : {kTextWinIn, kTextLossIn, kTextIllegal}) {
                const std::string caption(settings::BuiltInText(language, text));
                widest = std::max(
                    widest, metrics.horizontalAdvance(QString::fromStdString(caption + "-15")));
            }
        }
        captionWidth_ = widest + metrics.averageCharWidth();
        setMinimumWidth((kPitsPerRow + 1) * captionWidth_);
        // The main line's two lines, a line between, the letters, the captions.
        setFixedHeight(kLines * metrics.height() + metrics.height() / 4);
    }

    QLabel& MainLine() { return *mainLine_; }
    QLabel& Caption(int label) { return *labels_[static_cast<size_t>(label)]; }
    QLabel& Letter(int label) { return *letters_[static_cast<size_t>(label)]; }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        const int line = fontMetrics().height();
        mainLine_->setGeometry(0, 0, width(), 2 * line);
        for (size_t i = 0; i < labels_.size(); ++i) {
            const int centre = width() * static_cast<int>(i + 1) / (kPitsPerRow + 1);
            letters_[i]->setGeometry(centre - captionWidth_ / 2, 3 * line, captionWidth_, line);
            labels_[i]->setGeometry(centre - captionWidth_ / 2, 4 * line, captionWidth_, line);
        }
    }

  private:
    static constexpr int kLines = 5;
    QLabel* mainLine_;
    std::array<QLabel*, kPitsPerRow> letters_{};
    std::array<QLabel*, kPitsPerRow> labels_{};
    int captionWidth_ = 0;
};

AnalysisDialog::AnalysisDialog(platform::EngineLibrary& engine, const engine::Board& board,
                               bool rotated, bool opening, const QIcon& programIcon,
                               QWidget* parent)
    : QDialog(parent),
      engine_(engine),
      board_(rotated ? engine::rotateboard(board) : board),
      rotated_(rotated),
      opening_(opening),
      levelFrame_(new QGroupBox(this)),
      levelList_(new QComboBox(levelFrame_)),
      analyzeButton_(new QPushButton(this)),
      mainLineButton_(new QPushButton(this)),
      mainLineCheck_(new QCheckBox(this)),
      statusFrame_(new QFrame(this)),
      statusLabel_(new QLabel(statusFrame_)),
      progressLabel_(new QLabel(statusFrame_)),
      captions_(new PitCaptions(rotated, this)),
      okCancelButton_(new QPushButton(this)),
      helpButton_(new QPushButton(this)),
      progressTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("analysisDialog"));
    setWindowIcon(programIcon);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    levelFrame_->setObjectName(QStringLiteral("levelFrame"));
    levelList_->setObjectName(QStringLiteral("levelList"));
    analyzeButton_->setObjectName(QStringLiteral("analyzeButton"));
    mainLineButton_->setObjectName(QStringLiteral("mainLineButton"));
    mainLineCheck_->setObjectName(QStringLiteral("mainLineCheck"));
    statusFrame_->setObjectName(QStringLiteral("statusFrame"));
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    progressLabel_->setObjectName(QStringLiteral("progressLabel"));
    okCancelButton_->setObjectName(QStringLiteral("okCancelButton"));
    helpButton_->setObjectName(QStringLiteral("helpButton"));
    progressTimer_->setObjectName(QStringLiteral("progressTimer"));

    analyzeButton_->setText(T(kTextAnalyzeButton));
    mainLineButton_->setText(T(kTextMainLineButton));
    levelFrame_->setTitle(T(kTextAnalysisLevelFrame));
    mainLineCheck_->setText(T(kTextCalculateMainLine));
    helpButton_->setText(T(kTextAnalysisHelp));
    for (const std::string& entry : LevelEntries(CurrentText))
        levelList_->addItem(QString::fromStdString(entry));
    levelList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (QPushButton* button : {analyzeButton_, mainLineButton_, okCancelButton_, helpButton_})
        button->setAutoDefault(false);
    // Cancel answers at once, whatever the dialog is busy with.
    okCancelButton_->setCursor(Qt::ArrowCursor);
    statusFrame_->setFrameShape(QFrame::Box);
    // The status keeps its room while hidden, so that nothing moves when it shows.
    QSizePolicy keep = statusFrame_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    statusFrame_->setSizePolicy(keep);
    statusFrame_->setVisible(false);
    statusLabel_->setAlignment(Qt::AlignCenter);
    progressLabel_->setAlignment(Qt::AlignCenter);
    // Room for either status text, the two-line one included.
    statusLabel_->setMinimumHeight(2 * fontMetrics().height());

    auto* levelLayout = new QVBoxLayout(levelFrame_);
    levelLayout->addWidget(levelList_);
    auto* actions = new QVBoxLayout;
    actions->addWidget(analyzeButton_);
    actions->addWidget(mainLineButton_);
    auto* status = new QVBoxLayout(statusFrame_);
    status->addWidget(statusLabel_);
    status->addWidget(progressLabel_);
    auto* top = new QHBoxLayout;
    top->addWidget(levelFrame_);
    top->addLayout(actions);
    top->addWidget(statusFrame_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okCancelButton_);
    buttons->addWidget(helpButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(mainLineCheck_);
    layout->addWidget(captions_);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(analyzeButton_, &QPushButton::clicked, this, &AnalysisDialog::Analyze);
    connect(mainLineButton_, &QPushButton::clicked, this, &AnalysisDialog::CalculateMainLine);
    connect(okCancelButton_, &QPushButton::clicked, this, &AnalysisDialog::OkOrCancel);
    connect(helpButton_, &QPushButton::clicked, this,
            [this] { settings::texts::ShowHelpTopic(this, settings::kHelpTopicAnalysis); });
    connect(levelList_, &QComboBox::activated, this, [this](int index) {
        level_ = static_cast<int16_t>(index + 1);
        if (state_ == AnalysisState::AnalysisShown || state_ == AnalysisState::LineShown)
            ShowState(AnalysisState::Cleared);
    });
    connect(mainLineCheck_, &QCheckBox::clicked, this,
            [this](bool checked) { mainLine_ = checked; });
    progressTimer_->setInterval(kProgressIntervalMs);
    connect(progressTimer_, &QTimer::timeout, this, &AnalysisDialog::ShowProgress);

    // The StopSearch message is posted to this dialog; the search that runs
    // sees it in the queue, so its delivery needs no action.
    platform::ThreadMessageQueue().RegisterWindow(this, [](const MSG&) {});

    SetAnalysisLevel(level_);
    SetAnalysisMainLine(mainLine_);
    ShowState(AnalysisState::Loaded);
}

AnalysisDialog::~AnalysisDialog() {
    platform::ThreadMessageQueue().UnregisterWindow(this);
}

void AnalysisDialog::SetAnalysisLevel(int16_t level) {
    level_ = std::clamp<int16_t>(level, 1, kAnalysisLevels);
    levelList_->setCurrentIndex(level_ - 1);
}

void AnalysisDialog::SetAnalysisMainLine(bool on) {
    mainLine_ = on;
    mainLineCheck_->setChecked(on);
}

void AnalysisDialog::PlaceClearOf(const QRect& pits, const QWidget& owner) {
    const QScreen* screen = owner.screen();
    if (screen == nullptr) return;
    adjustSize();
    // Before it is first shown the dialog has no frame yet; it will get one
    // like its owner's.
    QSize frameExtra = frameGeometry().size() - size();
    if (frameExtra.isNull()) frameExtra = owner.frameGeometry().size() - owner.size();
    const QPoint corner = ClearPlacement(pits, owner.frameGeometry(), screen->availableGeometry(),
                                         size() + frameExtra);
    move(corner);
}

QString AnalysisDialog::PitCaption(int label) const {
    return captions_->Caption(label).text();
}

QString AnalysisDialog::PitLetter(int label) const {
    return captions_->Letter(label).text();
}

QString AnalysisDialog::MainLineShown() const {
    return captions_->MainLine().text();
}

bool AnalysisDialog::Searching() const {
    return state_ == AnalysisState::Analysing || state_ == AnalysisState::CalculatingLine ||
           state_ == AnalysisState::StopRequested;
}

void AnalysisDialog::ShowState(AnalysisState state) {
    state_ = state;
    const AnalysisLook look = LookOf(state);
    if (look.Caption) setWindowTitle(T(*look.Caption));
    if (look.AnalyzeEnabled) analyzeButton_->setEnabled(*look.AnalyzeEnabled);
    if (look.MainLineEnabled) mainLineButton_->setEnabled(*look.MainLineEnabled);
    if (look.OkCancelText) okCancelButton_->setText(T(*look.OkCancelText));
    if (look.OkCancelDefault) okCancelButton_->setDefault(*look.OkCancelDefault);
    if (look.OkCancelEnabled) okCancelButton_->setEnabled(*look.OkCancelEnabled);
    if (look.LevelListEnabled) levelList_->setEnabled(*look.LevelListEnabled);
    if (look.MainLineCheckEnabled) mainLineCheck_->setEnabled(*look.MainLineCheckEnabled);
    if (look.StatusVisible) {
        statusFrame_->setVisible(*look.StatusVisible);
        if (*look.StatusVisible)
            progressTimer_->start();
        else
            progressTimer_->stop();
    }
    if (look.StatusText) {
        // The two-line text carries a CR LF; a label breaks at the LF alone.
        statusLabel_->setText(T(*look.StatusText).remove(QLatin1Char('\r')));
        progressLabel_->clear();
    }
    if (look.ClearsResults) {
        captions_->MainLine().clear();
        for (int label = 0; label < kPitsPerRow; ++label)
            captions_->Caption(label).clear();
    }
    if (look.Busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    // The box can be ticked while an analysis runs.
    if (state == AnalysisState::Analysing)
        mainLineCheck_->setCursor(Qt::ArrowCursor);
    else
        mainLineCheck_->unsetCursor();
}

void AnalysisDialog::Analyze() {
    if (Searching()) return;
    std::array<int32_t, kPitsPerRow> values{};
    made_ = true;
    ShowState(AnalysisState::Analysing);
    std::fill_n(work_.begin(), level_ + 1, 0);
    try {
        bestPit_ = engine_.analyze(board_.data(), level_, values.data(), work_.data());
    } catch (const platform::NumberedError& error) {
        ShowState(AnalysisState::Cleared);
        ShowEngineError(error);
        return;
    }
    if (state_ == AnalysisState::StopRequested) {
        ShowState(AnalysisState::Cleared);
        okCancelButton_->setFocus();
        return;
    }
    if (opening_) {
        // The engine values every pit; the game's first move must also reach
        // the other row.
        for (int pit = 0; pit < kPitsPerRow; ++pit) {
            if (engine_.checkmove(board_.data(), pit, 1) != 1)
                values[static_cast<size_t>(pit)] = kCodeIllegal;
        }
        if (const int allowed = BestPit(values); allowed >= 0) bestPit_ = allowed;
    }
    for (int pit = 0; pit < kPitsPerRow; ++pit) {
        captions_->Caption(LabelOfPit(pit, rotated_))
            .setText(QString::fromStdString(ValueCaption(
                values[static_cast<size_t>(pit)], board_[static_cast<size_t>(pit)], CurrentText)));
    }
    if (mainLine_) {
        RunMainLine();
        return;
    }
    ShowState(AnalysisState::AnalysisShown);
}

void AnalysisDialog::CalculateMainLine() {
    if (!Searching()) RunMainLine();
}

void AnalysisDialog::RunMainLine() {
    std::array<int32_t, kAnalysisLevels + 1> line{};
    ShowState(AnalysisState::CalculatingLine);
    std::fill_n(work_.begin(), level_ + 1, 0);
    int32_t count = 0;
    try {
        count = engine_.findline(board_.data(), level_, bestPit_, line.data(), work_.data());
    } catch (const platform::NumberedError& error) {
        ShowState(AnalysisState::AnalysisShown);
        ShowEngineError(error);
        return;
    }
    if (state_ == AnalysisState::StopRequested) {
        ShowState(AnalysisState::AnalysisShown);
        okCancelButton_->setFocus();
        return;
    }
    ShowState(AnalysisState::LineShown);
    count = std::clamp<int32_t>(count, 0, static_cast<int32_t>(line.size()));
    captions_->MainLine().setText(
        QString::fromStdString(MainLineText(line.data(), count, rotated_, CurrentText)));
}

void AnalysisDialog::OkOrCancel() {
    if (state_ == AnalysisState::Analysing || state_ == AnalysisState::CalculatingLine) {
        okCancelButton_->setEnabled(false);
        PostMessageA(this, WM_STOPSEARCH, 0, 0);
        ShowState(AnalysisState::StopRequested);
        return;
    }
    if (state_ != AnalysisState::StopRequested) accept();
}

void AnalysisDialog::reject() {
    // Escape and the close box act as Cancel: a running search is stopped
    // first, and the dialog stays until it has returned.
    if (Searching())
        OkOrCancel();
    else
        QDialog::reject();
}

void AnalysisDialog::closeEvent(QCloseEvent* event) {
    if (Searching()) {
        event->ignore();
        OkOrCancel();
        return;
    }
    QDialog::closeEvent(event);
}

void AnalysisDialog::ShowProgress() {
    const std::optional<int> percent =
        ProgressPercent(work_.data(), level_, state_ == AnalysisState::CalculatingLine);
    if (percent)
        progressLabel_->setText(QString::fromStdString(ProgressText(*percent, CurrentText)));
}

void AnalysisDialog::keyReleaseEvent(QKeyEvent* event) {
    if (IsHelpKey(event))
        settings::texts::ShowHelpTopic(this, settings::kHelpTopicAnalysis);
    else
        QDialog::keyReleaseEvent(event);
}

void AnalysisDialog::ShowEngineError(const platform::NumberedError& error) {
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(error.Source()),
                    QString::fromStdString(error.Description()), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(T(kTextAnalysisOk));
    box.exec();
}

}  // namespace zeko::gui
