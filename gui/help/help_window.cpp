#include "gui/help/help_window.h"

#include <QAbstractButton>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <functional>

#include "gui/help/help_browser.h"
#include "platform/temporary_folder.h"
#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

namespace {

// The words of the help window that the program's text table has no number
// for, in Dutch and in English.
struct HelpWindowTexts {
    const char* Search;
    const char* Back;
    const char* Forward;
    const char* Missing;     // %1: the help file
    const char* Unreadable;  // %1: the help file, %2: why
};

constexpr HelpWindowTexts kDutchTexts{
    "Zoeken", "Terug", "Vooruit",
    "Het hulpbestand %1 is niet gevonden. Zonder dit bestand kan de hulp niet worden getoond.",
    "Het hulpbestand %1 kan niet worden gelezen (%2)."};
constexpr HelpWindowTexts kEnglishTexts{
    "Search", "Back", "Forward",
    "The help file %1 could not be found. Without it, the help cannot be shown.",
    "The help file %1 could not be read (%2)."};

const HelpWindowTexts& OwnTexts(int16_t language) {
    return language == settings::kDutch ? kDutchTexts : kEnglishTexts;
}

// The language of the help named "<folder>/zeko_nl" or "<folder>/zeko_en",
// which the window's own controls speak: a dialog may show its help in the
// language chosen in it before the program has taken that language over.
int16_t LanguageOfHelp(const std::string& helpFile) {
    return helpFile.ends_with("_nl") ? settings::kDutch : settings::kEnglish;
}

// A menu text as a caption: without its access key and its trailing dots.
QString Caption(int number, int16_t language) {
    QString text = QString::fromUtf8(settings::BuiltInText(language, number));
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    return text;
}

// How many average characters a line of the page holds at least, and how
// many text lines stay in view, at the window's smallest size.
constexpr int kReadableColumns = 36;
constexpr int kReadableLines = 8;

// Splits the window between the navigation and the page, and lets the page
// win space first: below a readable width the navigation gives up its own,
// down to its least.
class HelpSplitter : public QSplitter {
  public:
    using QSplitter::QSplitter;

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QSplitter::resizeEvent(event);
        if (count() != 2) return;
        QList<int> sizes = this->sizes();
        const int readable = kReadableColumns * fontMetrics().averageCharWidth();
        const int navigationLeast = widget(0)->minimumSizeHint().width();
        const int moved = std::min(readable - sizes[1], sizes[0] - navigationLeast);
        if (moved <= 0) return;
        sizes[0] -= moved;
        sizes[1] += moved;
        setSizes(sizes);
    }
};

QWidget* WidgetOf(QObject* window, QWidget* fallback) {
    QWidget* widget = qobject_cast<QWidget*>(window);
    return widget != nullptr ? widget : fallback;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      back_(new QToolButton),
      forward_(new QToolButton),
      panes_(new QTabWidget),
      contents_(new QTreeView),
      indexFilter_(new QLineEdit),
      index_(new QListView),
      searchBox_(new QLineEdit),
      searchResults_(new QListWidget),
      browser_(new HelpBrowser),
      collections_(QString::fromStdString(platform::TemporaryFolderTemplate("help"))) {
    back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    forward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    for (QToolButton* button : {back_, forward_}) {
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setEnabled(false);
    }
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    // Also when only the anchor changes, which changes no source.
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpWindow::ShowInContents);

    contents_->setHeaderHidden(true);
    connect(contents_, &QTreeView::activated, this, [this](const QModelIndex& entry) {
        if (engine_ == nullptr) return;
        if (const QHelpContentItem* item = engine_->contentModel()->contentItemAt(entry))
            Open(item->url());
    });
    connect(contents_, &QTreeView::clicked, contents_, &QTreeView::activated);

    index_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(indexFilter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (engine_ == nullptr) return;
        index_->setCurrentIndex(engine_->indexModel()->filter(text));
    });
    connect(indexFilter_, &QLineEdit::returnPressed, this,
            [this] { OpenIndexEntry(index_->currentIndex()); });
    connect(index_, &QListView::activated, this, &HelpWindow::OpenIndexEntry);
    connect(index_, &QListView::clicked, this, &HelpWindow::OpenIndexEntry);
    auto* indexPane = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPane);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);

    connect(searchBox_, &QLineEdit::returnPressed, this, &HelpWindow::Search);
    connect(searchResults_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Open(item->data(Qt::UserRole).toUrl()); });
    connect(searchResults_, &QListWidget::itemClicked, searchResults_, &QListWidget::itemActivated);
    auto* searchPane = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPane);
    searchLayout->addWidget(searchBox_);
    searchLayout->addWidget(searchResults_);

    panes_->addTab(contents_, QString());
    panes_->addTab(indexPane, QString());
    panes_->addTab(searchPane, QString());

    auto* splitter = new HelpSplitter;
    splitter->addWidget(panes_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    // At its smallest the window shows the least of the navigation and a
    // readable page.
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = layout->contentsMargins();
    setMinimumSize(panes_->minimumSizeHint().width() + splitter->handleWidth() +
                       kReadableColumns * metrics.averageCharWidth() + margins.left() +
                       margins.right(),
                   buttons->sizeHint().height() + layout->spacing() +
                       kReadableLines * metrics.lineSpacing() + margins.top() + margins.bottom());
    resize(820, 560);
    language_ = settings::texts::CurrentLanguage();
    SetTexts();
}

HelpWindow::~HelpWindow() {
    if (dialog_ != nullptr) dialog_->removeEventFilter(this);
    // The views and the browser must not outlive the help they show.
    browser_->SetEngine(nullptr);
    contents_->setModel(nullptr);
    index_->setModel(nullptr);
}

QString HelpWindow::FindHelpFile(const std::string& helpFile) {
    const QFileInfo name(QString::fromStdString(helpFile) + QStringLiteral(".qch"));
    const QString installed =
        QDir::cleanPath(name.path() + QStringLiteral("/") +
                        QStringLiteral(ZEKO_HELP_FROM_PROGRAM "/") + name.fileName());
    for (const QString& candidate : {name.filePath(), installed}) {
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

void HelpWindow::ShowTopic(QObject* window, const std::string& helpFile, const std::string& topic) {
    if (!Load(window, helpFile)) return;
    // A window without a topic of its own opens the help at its start.
    ShowPage(topic.empty() ? QStringLiteral("index.html") : QString::fromStdString(topic));
    Present(window, Pane::Contents);
}

void HelpWindow::ShowContents(QObject* window, const std::string& helpFile) {
    if (!Load(window, helpFile)) return;
    ShowPage(QStringLiteral("index.html"));
    Present(window, Pane::Contents);
}

void HelpWindow::ShowIndex(QObject* window, const std::string& helpFile) {
    if (!Load(window, helpFile)) return;
    if (newHelp_) ShowPage(QStringLiteral("index.html"));
    Present(window, Pane::Index);
    indexFilter_->setFocus();
}

QUrl HelpWindow::Page() const {
    return browser_->source();
}

HelpWindow::Pane HelpWindow::CurrentPane() const {
    return static_cast<Pane>(panes_->currentIndex());
}

bool HelpWindow::Load(QObject* window, const std::string& helpFile) {
    language_ = LanguageOfHelp(helpFile);
    const QString file = FindHelpFile(helpFile);
    const auto tell = [&](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Zeko"), text, QMessageBox::Ok,
                        WidgetOf(window, parentWidget()));
        box.button(QMessageBox::Ok)->setText(Caption(settings::kTextOk, language_));
        box.exec();
    };
    if (file.isEmpty()) {
        tell(QString::fromUtf8(OwnTexts(language_).Missing)
                 .arg(QString::fromStdString(helpFile) + QStringLiteral(".qch")));
        return false;
    }
    if (engine_ != nullptr && file == helpFile_) {
        SetTexts();
        return true;
    }

    const QString name = QFileInfo(file).completeBaseName();
    auto engine =
        std::make_unique<QHelpEngine>(collections_.filePath(name + QStringLiteral(".qhc")));
    engine->setReadOnly(false);
    const QString space = QHelpEngineCore::namespaceName(file);
    if (!collections_.isValid() || !engine->setupData() ||
        (!engine->registeredDocumentations().contains(space) &&
         !engine->registerDocumentation(file))) {
        tell(QString::fromUtf8(OwnTexts(language_).Unreadable)
                 .arg(file, collections_.isValid() ? engine->error() : collections_.errorString()));
        return false;
    }

    // The views change over to the new help before the old one goes.
    engine_.swap(engine);
    browser_->SetEngine(engine_.get());
    contents_->setModel(engine_->contentModel());
    index_->setModel(engine_->indexModel());
    engine.reset();
    // The pages seen in the other language cannot be gone back to.
    newHelp_ = true;
    helpFile_ = file;
    namespace_ = space;
    // The pages' look, given to the browser once rather than page by page.
    browser_->document()->setDefaultStyleSheet(QString::fromUtf8(
        engine_->fileData(QUrl(QStringLiteral("qthelp://%1/doc/style.css").arg(space)))));

    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        contents_->expandAll();
        ShowInContents();
    });
    QHelpSearchEngine* search = engine_->searchEngine();
    indexed_ = false;
    // The help indexes its pages by itself as well as when asked; a search
    // waits until the last indexing has finished.
    connect(search, &QHelpSearchEngine::indexingStarted, this, [this] { indexed_ = false; });
    connect(search, &QHelpSearchEngine::indexingFinished, this, [this] {
        indexed_ = true;
        if (!pendingSearch_.isEmpty()) Search();
    });
    connect(search, &QHelpSearchEngine::searchingFinished, this, &HelpWindow::ShowSearchResults);
    engine_->contentModel()->createContents(QString());
    engine_->indexModel()->createIndex(QString());
    search->reindexDocumentation();
    searchResults_->clear();
    SetTexts();
    return true;
}

void HelpWindow::SetTexts() {
    const HelpWindowTexts& own = OwnTexts(language_);
    setWindowTitle(QStringLiteral("Zeko : ") + Caption(settings::kTextHelpMenu, language_));
    panes_->setTabText(static_cast<int>(Pane::Contents),
                       Caption(settings::kTextHelpContents, language_));
    panes_->setTabText(static_cast<int>(Pane::Index), Caption(settings::kTextHelpIndex, language_));
    panes_->setTabText(static_cast<int>(Pane::Search), QString::fromUtf8(own.Search));
    back_->setText(QString::fromUtf8(own.Back));
    forward_->setText(QString::fromUtf8(own.Forward));
}

void HelpWindow::ShowPage(const QString& topic) {
    browser_->setSource(QUrl(QStringLiteral("qthelp://%1/doc/%2").arg(namespace_, topic)));
    if (newHelp_) browser_->clearHistory();
    newHelp_ = false;
}

void HelpWindow::Present(QObject* window, Pane pane) {
    panes_->setCurrentIndex(static_cast<int>(pane));
    if (isMinimized()) showNormal();
    show();
    // Help asked for in a modal dialog must be usable while the dialog is open:
    // the help window belongs to that dialog until it closes.
    QWidget* asking = WidgetOf(window, parentWidget());
    if (asking != nullptr && asking->window() != parentWidget() && asking->window()->isModal()) {
        if (dialog_ != nullptr) dialog_->removeEventFilter(this);
        dialog_ = asking->window();
        dialog_->installEventFilter(this);
        connect(dialog_, &QObject::destroyed, this, &HelpWindow::ReturnToOwner,
                Qt::UniqueConnection);
        windowHandle()->setTransientParent(dialog_->windowHandle());
    }
    raise();
    activateWindow();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_ && event->type() == QEvent::Hide) ReturnToOwner();
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::ReturnToOwner() {
    if (dialog_ != nullptr) dialog_->removeEventFilter(this);
    dialog_ = nullptr;
    if (windowHandle() != nullptr && parentWidget() != nullptr)
        windowHandle()->setTransientParent(parentWidget()->window()->windowHandle());
}

void HelpWindow::ShowInContents() {
    if (engine_ == nullptr) return;
    const QUrl page = browser_->source();
    const QUrl withoutAnchor = page.adjusted(QUrl::RemoveFragment);
    const QHelpContentModel* model = engine_->contentModel();
    // The entry of the page at its anchor, else of the page itself.
    QModelIndex found;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex entry = model->index(row, 0, parent);
            const QUrl url = model->contentItemAt(entry)->url();
            if (url == page) {
                found = entry;
                return;
            }
            if (!found.isValid() && url.adjusted(QUrl::RemoveFragment) == withoutAnchor)
                found = entry;
            walk(entry);
        }
    };
    walk(QModelIndex());
    if (!found.isValid()) {
        contents_->clearSelection();
        return;
    }
    contents_->setCurrentIndex(found);
    contents_->scrollTo(found);
}

void HelpWindow::OpenIndexEntry(const QModelIndex& entry) {
    if (engine_ == nullptr || !entry.isValid()) return;
    const QList<QHelpLink> links = engine_->documentsForKeyword(entry.data().toString());
    if (!links.isEmpty()) Open(links.first().url);
}

void HelpWindow::Open(const QUrl& page) {
    // A click may also activate its entry; the page is shown once.
    if (page != browser_->source()) browser_->setSource(page);
}

void HelpWindow::Search() {
    if (engine_ == nullptr) return;
    pendingSearch_ = searchBox_->text().trimmed();
    if (pendingSearch_.isEmpty() || !indexed_) return;
    engine_->searchEngine()->search(pendingSearch_);
}

void HelpWindow::ShowSearchResults() {
    // Results from an index that was being rebuilt are searched again.
    if (!indexed_) return;
    pendingSearch_.clear();
    searchResults_->clear();
    const QHelpSearchEngine* search = engine_->searchEngine();
    for (const QHelpSearchResult& result : search->searchResults(0, search->searchResultCount())) {
        auto* item = new QListWidgetItem(result.title(), searchResults_);
        item->setData(Qt::UserRole, result.url());
    }
}

}  // namespace zeko::gui
