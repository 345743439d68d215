#include "gui/dialogs/select_game_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "archive/game_list_columns.h"
#include "archive/game_store.h"
#include "gui/dialogs/error_box.h"
#include "gui/dialogs/help_key.h"
#include "platform/numbered_error.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

namespace {

// Where a row keeps the slot of its game.
constexpr int kSlotRole = Qt::UserRole;

QString T(int number) {
    return QString::fromStdString(settings::texts::GetText(number));
}

}  // namespace

SelectGameDialog::SelectGameDialog(std::string fileName, const std::vector<game::GameRecord>& games,
                                   const QIcon& icon, QWidget* parent)
    : QDialog(parent), fileName_(std::move(fileName)), games_(games) {
    setWindowIcon(icon);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("gameList"));
    list_->setColumnCount(archive::kGameListColumns);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->header()->setSectionsClickable(true);
    // Shown from the start (on no column), so that every header is as wide
    // as its text and the arrow it gets.
    list_->header()->setSortIndicatorShown(true);
    list_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    load_ = new QPushButton(this);
    delete_ = new QPushButton(this);
    cancel_ = new QPushButton(this);
    help_ = new QPushButton(this);
    load_->setObjectName(QStringLiteral("loadButton"));
    delete_->setObjectName(QStringLiteral("deleteButton"));
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    help_->setObjectName(QStringLiteral("helpButton"));
    load_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(load_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(help_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    load_->setEnabled(false);
    delete_->setEnabled(false);
    Localize();
    const auto text = [](int number) { return settings::texts::GetText(number); };
    for (const game::GameRecord& entry : games) {
        auto* row = new QTreeWidgetItem(list_);
        const archive::GameListRow columns = archive::GameListColumns(entry, text);
        for (int c = 0; c < archive::kGameListColumns; ++c)
            row->setText(c, QString::fromStdString(columns[static_cast<std::size_t>(c)]));
        row->setData(0, kSlotRole, entry.RecordNumber);
    }
    for (int c = 0; c < archive::kGameListColumns; ++c)
        list_->resizeColumnToContents(c);
    SetCaption(static_cast<int>(games.size()));
    list_->clearSelection();
    list_->setCurrentItem(nullptr);
    resize(list_->header()->length() + 2 * layout->contentsMargins().left() + 24,
           sizeHint().height() + 120);

    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { ChooseButtons(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (load_->isEnabled()) load_->click();
    });
    connect(list_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortBy(column); });
    connect(load_, &QPushButton::clicked, this, [this] { LoadChosen(); });
    connect(delete_, &QPushButton::clicked, this, [this] { DeleteChosen(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
    connect(help_, &QPushButton::clicked, this,
            [this] { settings::texts::ShowHelpTopic(this, settings::kHelpTopicSelectGame); });
}

void SelectGameDialog::Localize() {
    QStringList headers;
    for (int c = 0; c < archive::kGameListColumns; ++c)
        headers << T(settings::kTextFirstColumn + c);
    list_->setHeaderLabels(headers);
    delete_->setText(T(settings::kTextDeleteGame));
    load_->setText(T(settings::kTextLoadGame));
    cancel_->setText(T(settings::kTextCancel));
    help_->setText(T(settings::kTextHelp));
}

void SelectGameDialog::SetCaption(int numberOfGames) {
    setWindowTitle(T(settings::kTextSelectGame) + QStringLiteral(" (%1 ").arg(numberOfGames) +
                   T(settings::kTextGamesInFile) + QStringLiteral(")"));
}

void SelectGameDialog::keyReleaseEvent(QKeyEvent* event) {
    if (IsHelpKey(event))
        settings::texts::ShowHelpTopic(this, settings::kHelpTopicSelectGame);
    else
        QDialog::keyReleaseEvent(event);
}

void SelectGameDialog::SortBy(int column) {
    // The order flips at every click, whichever column was clicked before;
    // rows compare by their displayed texts.
    order_ = order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    list_->sortItems(column, order_);
    // Qt's arrow for the descending order points up; here it points the way
    // the values run down the list.
    list_->header()->setSortIndicator(
        column, order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void SelectGameDialog::ChooseButtons() {
    const bool chosen = !list_->selectedItems().isEmpty();
    load_->setEnabled(chosen);
    delete_->setEnabled(chosen);
}

void SelectGameDialog::LoadChosen() {
    const QList<QTreeWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty()) return;
    gameId_ = chosen.front()->data(0, kSlotRole).toInt();
    accept();
}

void SelectGameDialog::DeleteChosen() {
    const QList<QTreeWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty()) return;
    QTreeWidgetItem* row = chosen.front();
    const int slot = row->data(0, kSlotRole).toInt();
    const auto listed = std::find_if(games_.begin(), games_.end(), [slot](const auto& game) {
        return game.RecordNumber == slot;
    });
    try {
        archive::DeleteGame(fileName_, slot, listed == games_.end() ? nullptr : &*listed);
    } catch (const platform::NumberedError& error) {
        // The game is still in the file, so its row stays.
        ShowErrorBox(this, error.Source(), error.Description());
        return;
    }
    delete row;
    SetCaption(list_->topLevelItemCount());
    list_->clearSelection();
    load_->setEnabled(false);
    delete_->setEnabled(false);
}

}  // namespace zeko::gui
