// The help window: the compiled help pages of the program's language with
// their contents, index and full-text search, back and forward. It stays open
// beside the game and answers every help call of the program.
#pragma once

#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/help_viewer.h"

class QHelpEngine;
class QLineEdit;
class QListView;
class QListWidget;
class QTabWidget;
class QToolButton;
class QTreeView;

namespace zeko::gui {

class HelpBrowser;

// Installed by the main window:
//     HelpWindow help(mainWindow);   // a window of its own, not modal
//     platform::HelpViewerInstallation installation(help);
// A help call names the help of a language, "<folder>/zeko_en" or
// "<folder>/zeko_nl"; the window reads "zeko_en.qch" from that folder, or
// from the share folder of an installed program ("<folder>/../share/zeko").
// A missing help file is reported in a message box.
class HelpWindow : public QWidget, public platform::HelpViewer {
  public:
    enum class Pane { Contents = 0, Index = 1, Search = 2 };

    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // platform::HelpViewer
    void ShowTopic(QObject* window, const std::string& helpFile, const std::string& topic) override;
    void ShowContents(QObject* window, const std::string& helpFile) override;
    void ShowIndex(QObject* window, const std::string& helpFile) override;

    // The compiled help file for `helpFile` (without its extension), or empty
    // when there is none.
    static QString FindHelpFile(const std::string& helpFile);

    // What the window shows, for its tests.
    QUrl Page() const;
    QString HelpFileShown() const { return helpFile_; }
    Pane CurrentPane() const;
    QTreeView& ContentsView() { return *contents_; }
    QLineEdit& IndexFilter() { return *indexFilter_; }
    QListView& IndexView() { return *index_; }
    QLineEdit& SearchBox() { return *searchBox_; }
    QListWidget& SearchResults() { return *searchResults_; }
    QToolButton& BackButton() { return *back_; }
    QToolButton& ForwardButton() { return *forward_; }
    HelpBrowser& Browser() { return *browser_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Makes the help of `helpFile` the one shown; false, after telling the
    // person, when it cannot be read.
    bool Load(QObject* window, const std::string& helpFile);
    void SetTexts();
    // A page of the help by its name, with an optional "#anchor".
    void ShowPage(const QString& topic);
    // The contents mark the entry of the page shown.
    void ShowInContents();
    void Present(QObject* window, Pane pane);
    // Back to the main window as the help window's owner, after a dialog.
    void ReturnToOwner();
    // A page chosen in the contents, the index or the search results.
    void Open(const QUrl& page);
    void OpenIndexEntry(const QModelIndex& entry);
    void Search();
    void ShowSearchResults();

    QToolButton* back_;
    QToolButton* forward_;
    QTabWidget* panes_;
    QTreeView* contents_;
    QLineEdit* indexFilter_;
    QListView* index_;
    QLineEdit* searchBox_;
    QListWidget* searchResults_;
    HelpBrowser* browser_;

    // The collections the help engine keeps its registrations and search
    // index in: private to this run, as the installed help may be read-only;
    // in the runtime folder, whose stale folders a later start removes.
    QTemporaryDir collections_;
    std::unique_ptr<QHelpEngine> engine_;
    QString helpFile_;
    QString namespace_;
    int16_t language_ = 0;      // that of the help asked for last
    QPointer<QWidget> dialog_;  // the modal dialog the window belongs to meanwhile
    bool newHelp_ = false;      // no page of the help loaded last is shown yet
    bool indexed_ = false;
    QString pendingSearch_;
};

}  // namespace zeko::gui
