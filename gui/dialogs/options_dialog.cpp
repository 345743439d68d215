#include "gui/dialogs/options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/board/board_style.h"
#include "gui/dialogs/game_file_dialog.h"
#include "gui/dialogs/help_key.h"
#include "settings/help.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

namespace {

std::string Trimmed(const QString& text) {
    return text.trimmed().toStdString();
}

}  // namespace

OptionsDialog::OptionsDialog(const Values& current, const QIcon& icon, QWidget* parent)
    : QDialog(parent),
      values_(current),
      tabs_(new QTabWidget(this)),
      ok_(new QPushButton(this)),
      cancel_(new QPushButton(this)),
      help_(new QPushButton(this)) {
    setObjectName(QStringLiteral("optionsDialog"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowIcon(icon);
    pages_ = {MakeColoursTab(), MakeLanguageTab(), MakeDelayTab(), MakeNamesTab(),
              MakeGameFileTab()};
    for (QWidget* page : pages_)
        tabs_->addTab(page, QString());
    // Every tab's caption shows in full; the dialog grows to fit them.
    tabs_->setUsesScrollButtons(false);

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &OptionsDialog::Ok);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        okSelected_ = false;
        reject();
    });
    connect(help_, &QPushButton::clicked, this, &OptionsDialog::ShowHelp);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {ok_, cancel_, help_})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    // The controls take the values as if the user had chosen them, except
    // that doing so changes no colour.
    const Values start = values_;
    ChooseLanguage(start.Language);
    // A stored scheme outside 0-3 shows table 2 with no scheme button checked.
    if (start.ColorScheme >= 0 && start.ColorScheme < static_cast<int32_t>(schemes_.size()))
        schemes_[static_cast<size_t>(start.ColorScheme)]->setChecked(true);
    ChooseScheme(start.ColorScheme);
    delay_->setChecked(start.DelayActivated);
    for (QRadioButton* type : delayTypes_)
        type->setEnabled(start.DelayActivated);
    delayTypes_[start.DelayFixed ? 1 : 0]->setChecked(true);
    ChooseDelayType(start.DelayFixed);
    slider_->setValue(start.DelayTime);
    ShowDelay(slider_->value());
    names_[0]->setText(QString::fromStdString(start.NameTopHalf));
    names_[1]->setText(QString::fromStdString(start.NameBottomHalf));
    gameFile_->setText(QString::fromStdString(start.GameFileName));
    const int rule = std::clamp(start.GameFilePrompt, 0, 2);
    gameFileRules_[static_cast<size_t>(rule)]->setChecked(true);
    values_.GameFilePrompt = rule;
    // A default file that is gone cannot be the rule.
    GameFileEdited();
    colorChanged_ = false;
}

OptionsDialog::~OptionsDialog() = default;

QString OptionsDialog::Text(int number) const {
    // In the dialog's own language, which also switches the program's table.
    return QString::fromStdString(settings::texts::GetText(number, values_.Language));
}

QWidget* OptionsDialog::MakeColoursTab() {
    auto* page = new QWidget;
    auto* group = new QButtonGroup(page);
    auto* schemes = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        schemes_[static_cast<size_t>(i)] = new QRadioButton(page);
        group->addButton(schemes_[static_cast<size_t>(i)], i);
        schemes->addWidget(schemes_[static_cast<size_t>(i)]);
    }
    schemes->addStretch();
    // A button checked in any way counts: by the mouse, the keyboard or an
    // assistive tool.
    connect(group, &QButtonGroup::idToggled, this, [this](int scheme, bool on) {
        if (!on) return;
        ChooseScheme(scheme);
        colorChanged_ = true;
    });
    colourList_ = new QListWidget(page);
    connect(colourList_, &QListWidget::currentRowChanged, this, [this] { ShowSampleColor(); });
    sampleLabel_ = new QLabel(page);
    sample_ = new QFrame(page);
    sample_->setFrameShape(QFrame::Box);
    sample_->setMinimumSize(48, 24);
    sample_->setAutoFillBackground(true);
    change_ = new QPushButton(page);
    connect(change_, &QPushButton::clicked, this, &OptionsDialog::ChangeColour);
    auto* sampleRow = new QHBoxLayout;
    sampleRow->addWidget(sampleLabel_);
    sampleRow->addWidget(sample_, 1);
    sampleRow->addWidget(change_);
    auto* right = new QVBoxLayout;
    right->addWidget(colourList_, 1);
    right->addLayout(sampleRow);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(schemes);
    layout->addLayout(right, 1);
    return page;
}

QWidget* OptionsDialog::MakeLanguageTab() {
    auto* page = new QWidget;
    auto* group = new QButtonGroup(page);
    auto* layout = new QVBoxLayout(page);
    for (const int16_t language : {settings::kDutch, settings::kEnglish}) {
        auto* button = new QRadioButton(page);
        languages_[static_cast<size_t>(language - settings::kDutch)] = button;
        group->addButton(button, language);
        layout->addWidget(button);
    }
    layout->addStretch();
    connect(group, &QButtonGroup::idToggled, this, [this](int language, bool on) {
        if (on && language != values_.Language) ChooseLanguage(static_cast<int16_t>(language));
    });
    return page;
}

QRadioButton& OptionsDialog::LanguageButton(int16_t language) {
    return *languages_[language == settings::kDutch ? 0 : 1];
}

QWidget* OptionsDialog::MakeDelayTab() {
    auto* page = new QWidget;
    delay_ = new QCheckBox(page);
    connect(delay_, &QCheckBox::toggled, this, [this](bool on) {
        values_.DelayActivated = on;
        for (QRadioButton* type : delayTypes_)
            type->setEnabled(on);
    });
    auto* group = new QButtonGroup(page);
    for (int type = 0; type < 2; ++type) {
        delayTypes_[static_cast<size_t>(type)] = new QRadioButton(page);
        group->addButton(delayTypes_[static_cast<size_t>(type)], type);
    }
    connect(group, &QButtonGroup::idToggled, this, [this](int type, bool on) {
        if (on) ChooseDelayType(type == 1);
    });
    slider_ = new QSlider(Qt::Horizontal, page);
    slider_->setRange(kShortestDelay, kLongestDelay);
    slider_->setPageStep(1);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    connect(slider_, &QSlider::valueChanged, this, &OptionsDialog::ShowDelay);
    delayLabel_ = new QLabel(page);
    delayLabel_->setBuddy(slider_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(delay_);
    auto* types = new QVBoxLayout;
    types->setContentsMargins(20, 0, 0, 0);
    for (QRadioButton* type : delayTypes_)
        types->addWidget(type);
    types->addWidget(slider_);
    types->addWidget(delayLabel_);
    layout->addLayout(types);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::MakeNamesTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (size_t k = 0; k < names_.size(); ++k) {
        nameLabels_[k] = new QLabel(page);
        names_[k] = new QLineEdit(page);
        names_[k]->setMaxLength(static_cast<int>(settings::kMaxNameLength));
        nameLabels_[k]->setBuddy(names_[k]);
        layout->addWidget(nameLabels_[k]);
        layout->addWidget(names_[k]);
    }
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::MakeGameFileTab() {
    auto* page = new QWidget;
    gameFileNeeded_ = new QLabel(page);
    auto* group = new QButtonGroup(page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(gameFileNeeded_);
    for (int rule = 0; rule < 3; ++rule) {
        gameFileRules_[static_cast<size_t>(rule)] = new QRadioButton(page);
        group->addButton(gameFileRules_[static_cast<size_t>(rule)], rule);
        layout->addWidget(gameFileRules_[static_cast<size_t>(rule)]);
    }
    connect(group, &QButtonGroup::idToggled, this, [this](int rule, bool on) {
        if (on) values_.GameFilePrompt = rule;
    });
    gameFileLabel_ = new QLabel(page);
    gameFile_ = new QLineEdit(page);
    gameFileLabel_->setBuddy(gameFile_);
    gameFile_->installEventFilter(this);
    connect(gameFile_, &QLineEdit::textChanged, this, &OptionsDialog::GameFileEdited);
    // The browse button's caption is language-neutral.
    browse_ = new QPushButton(QStringLiteral("..."), page);
    browse_->setObjectName(QStringLiteral("browseButton"));
    connect(browse_, &QPushButton::clicked, this, &OptionsDialog::BrowseGameFile);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(gameFile_, 1);
    fileRow->addWidget(browse_);
    layout->addWidget(gameFileLabel_);
    layout->addLayout(fileRow);
    layout->addStretch();
    return page;
}

void OptionsDialog::ChooseLanguage(int16_t language) {
    values_.Language = language;
    LanguageButton(language).setChecked(true);
    Localize();
    FillColourList();
    emit LanguageChosen(language);
}

void OptionsDialog::Localize() {
    setWindowTitle(Text(settings::kTextOptionsTitle));
    for (int tab = 0; tab < kTabCount; ++tab)
        tabs_->setTabText(tab, Text(settings::kTextFirstOptionsTab + tab));
    for (int i = 0; i < 4; ++i)
        schemes_[static_cast<size_t>(i)]->setText(Text(settings::kTextFirstScheme + i));
    sampleLabel_->setText(Text(settings::kTextSample));
    change_->setText(Text(settings::kTextChange));
    languages_[0]->setText(Text(settings::kTextDutch));
    languages_[1]->setText(Text(settings::kTextEnglish));
    delay_->setText(Text(settings::kTextDelayResponse));
    delayTypes_[0]->setText(Text(settings::kTextClickToSee));
    delayTypes_[1]->setText(Text(settings::kTextFixedDelay));
    ShowDelay(slider_->value());
    nameLabels_[0]->setText(Text(settings::kTextNameUpperHalf));
    nameLabels_[1]->setText(Text(settings::kTextNameLowerHalf));
    gameFileNeeded_->setText(Text(settings::kTextGameFileNeeded));
    for (int rule = 0; rule < 3; ++rule)
        gameFileRules_[static_cast<size_t>(rule)]->setText(
            Text(settings::kTextFirstGameFileRule + rule));
    gameFileLabel_->setText(Text(settings::kTextDefaultGameFile));
    ok_->setText(Text(settings::kTextOk));
    cancel_->setText(Text(settings::kTextCancel));
    help_->setText(Text(settings::kTextHelp));
}

void OptionsDialog::FillColourList() {
    colourList_->clear();
    for (int i = 0; i < settings::kCustomColourCount; ++i) {
        auto* item = new QListWidgetItem(Text(settings::kTextFirstColourItem + i), colourList_);
        // Every action on the list takes the colour's number from here.
        item->setData(Qt::UserRole, i);
    }
    colourList_->setCurrentRow(0);
}

void OptionsDialog::ChooseScheme(int scheme) {
    values_.ColorScheme = scheme;
    change_->setEnabled(scheme == settings::kSchemeCustom);
    ShowSampleColor();
}

void OptionsDialog::ShowSampleColor() {
    const QListWidgetItem* item = colourList_->currentItem();
    if (item == nullptr) return;
    const int k = item->data(Qt::UserRole).toInt();
    const settings::ColourTable table =
        settings::FillColourTable(values_.ColorScheme, values_.CustomColors);
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::Window, ItemColour(table, k));
    sample_->setPalette(palette);
}

void OptionsDialog::ChangeColour() {
    const QListWidgetItem* item = colourList_->currentItem();
    if (item == nullptr) return;
    const int k = item->data(Qt::UserRole).toInt();
    QColorDialog dialog(sample_->palette().color(QPalette::Window), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QColor chosen = dialog.selectedColor();
    values_.CustomColors[static_cast<size_t>(k)] =
        settings::Rgb(chosen.red(), chosen.green(), chosen.blue());
    colorChanged_ = true;
    ShowSampleColor();
}

void OptionsDialog::ChooseDelayType(bool fixed) {
    values_.DelayFixed = fixed;
    delayLabel_->setEnabled(fixed);
    slider_->setEnabled(fixed);
}

void OptionsDialog::ShowDelay(int seconds) {
    values_.DelayTime = static_cast<int16_t>(seconds);
    delayLabel_->setText(
        Text(settings::kTextDelayBy).replace(QStringLiteral("%1"), QString::number(seconds)));
}

void OptionsDialog::BrowseGameFile() {
    QFileDialog dialog(this);
    PrepareGameFileDialog(dialog, false);
    const QFileInfo current(gameFile_->text().trimmed());
    if (!gameFile_->text().trimmed().isEmpty()) dialog.setDirectory(current.absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    gameFile_->setText(dialog.selectedFiles().constFirst());
}

void OptionsDialog::GameFileEdited() {
    const QString name = gameFile_->text().trimmed();
    const bool usable = !name.isEmpty() && QFileInfo(name).isFile();
    QRadioButton* useDefault = gameFileRules_[settings::kUseDefaultFile];
    useDefault->setEnabled(usable);
    if (!usable && useDefault->isChecked())
        gameFileRules_[settings::kAskOncePerRun]->setChecked(true);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gameFile_ && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        gameFile_->clear();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::ShowHelp() {
    settings::texts::ShowHelpTopic(this, settings::OptionsHelpTopic(tabs_->currentIndex() + 1));
}

void OptionsDialog::keyReleaseEvent(QKeyEvent* event) {
    if (IsHelpKey(event))
        ShowHelp();
    else
        QDialog::keyReleaseEvent(event);
}

void OptionsDialog::Ok() {
    values_.GameFileName = Trimmed(gameFile_->text());
    values_.NameTopHalf = Trimmed(names_[0]->text());
    values_.NameBottomHalf = Trimmed(names_[1]->text());
    okSelected_ = true;
    accept();
}

void OptionsDialog::CentreOver(const QWidget& main) {
    adjustSize();
    const QRect frame = main.frameGeometry();
    move(frame.left() + (frame.width() - frameGeometry().width()) / 2,
         frame.top() + (frame.height() - frameGeometry().height()) / 2);
}

}  // namespace zeko::gui
