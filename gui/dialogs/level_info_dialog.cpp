#include "gui/dialogs/level_info_dialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "game/skill_level.h"
#include "gui/dialogs/help_key.h"
#include "platform/numbered_error.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

using settings::texts::CurrentText;

namespace {

QString T(int number) {
    return QString::fromStdString(CurrentText(number));
}

enum Column { kLevelColumn = 0, kStrengthColumn = 1, kResponseColumn = 2, kColumns = 3 };

// The widest text a column can hold in either language.
int ColumnWidth(const QFontMetrics& metrics, const std::vector<int>& texts,
                const std::vector<std::string>& fixed) {
    int widest = 0;
    for (int16_t language : {settings::kDutch, settings::kEnglish}) {
        for (int text : texts) {
            widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(
                                          std::string(settings::BuiltInText(language, text)))));
        }
    }
    for (const std::string& text : fixed)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
    return widest + 4 * metrics.averageCharWidth();  // the cell's margins
}

}  // namespace

LevelInfoDialog::LevelInfoDialog(platform::EngineLibrary& engine, const QIcon& programIcon,
                                 QWidget* parent, std::function<uint32_t()> counter)
    : QDialog(parent),
      engine_(engine),
      timer_(std::move(counter)),
      table_(new QTreeWidget(this)),
      recalculateButton_(new QPushButton(this)),
      okButton_(new QPushButton(this)) {
    setObjectName(QStringLiteral("levelInfoDialog"));
    setWindowIcon(programIcon);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(T(game::kTextLevelInfoCaption));
    table_->setObjectName(QStringLiteral("responseView"));
    recalculateButton_->setObjectName(QStringLiteral("recalculateButton"));
    okButton_->setObjectName(QStringLiteral("okButton"));

    table_->setColumnCount(kColumns);
    table_->setHeaderLabels(
        {T(game::kTextLevelColumn), T(game::kTextStrengthColumn), T(game::kTextResponseColumn)});
    table_->setRootIsDecorated(false);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    for (int level = 1; level <= game::kLevelCount; ++level) {
        auto* row = new QTreeWidgetItem(table_);
        row->setText(kLevelColumn, QString::number(level));
        row->setText(kStrengthColumn, T(settings::kTextFirstLevel + level - 1));
    }
    // Every text fits in either language: the level names, the headers, and
    // the longest estimates.
    const QFontMetrics metrics = table_->fontMetrics();
    std::vector<int> names;
    for (int level = 0; level < game::kLevelCount; ++level)
        names.push_back(settings::kTextFirstLevel + level);
    names.push_back(game::kTextStrengthColumn);
    const int widths[kColumns] = {
        ColumnWidth(metrics, {game::kTextLevelColumn}, {"9"}),
        ColumnWidth(metrics, names, {}),
        ColumnWidth(metrics, {game::kTextResponseColumn, game::kTextVeryFast},
                    {" < 1 Sec.", "9999 Min."}),
    };
    int total = 0;
    for (int column = 0; column < kColumns; ++column) {
        table_->setColumnWidth(column, widths[column]);
        total += widths[column];
    }
    const int rowHeight = std::max(table_->sizeHintForRow(0), metrics.height());
    table_->setMinimumSize(total + 2 * table_->frameWidth() + metrics.averageCharWidth(),
                           table_->header()->sizeHint().height() +
                               (game::kLevelCount + 1) * rowHeight + 2 * table_->frameWidth());

    recalculateButton_->setText(T(game::kTextRecalculate));
    okButton_->setText(T(settings::kTextOk));
    okButton_->setDefault(true);
    connect(recalculateButton_, &QPushButton::clicked, this, &LevelInfoDialog::Measure);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(recalculateButton_);
    buttons->addWidget(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void LevelInfoDialog::Measure() {
    if (measuring_) return;
    measuring_ = true;
    setCursor(Qt::WaitCursor);
    try {
        timing_ = game::MeasureLevels(engine_, timer_);
        for (int level = 1; level <= game::kLevelCount; ++level) {
            table_->topLevelItem(level - 1)->setText(
                kResponseColumn, QString::fromStdString(game::ResponseTimeText(
                                     game::EstimatedUnits(timing_, level), CurrentText)));
        }
        ++measurements_;
    } catch (const platform::NumberedError& error) {
        unsetCursor();
        measuring_ = false;
        QMessageBox box(QMessageBox::Critical, QString::fromStdString(error.Source()),
                        QString::fromStdString(error.Description()), QMessageBox::Ok, this);
        box.button(QMessageBox::Ok)->setText(T(settings::kTextOk));
        box.exec();
        return;
    }
    unsetCursor();
    measuring_ = false;
}

void LevelInfoDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Measured again at each activation, once the dialog has been drawn.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, &LevelInfoDialog::Measure);
}

void LevelInfoDialog::keyReleaseEvent(QKeyEvent* event) {
    if (IsHelpKey(event))
        settings::texts::ShowHelpTopic(this, settings::kHelpTopicLevelInfo);
    else
        QDialog::keyReleaseEvent(event);
}

}  // namespace zeko::gui
