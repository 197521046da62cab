#include "browser/SideBarCommands.h"

#include "browser/SideBar.h"
#include "browser/TfrmGroupName.h"
#include "browser/TfrmMain.h"
#include "platform/Prompts.h"
#include "playlists/PlaylistCommands.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

namespace orvane {

namespace {

const QString kDragOutOfDate =
    QStringLiteral("The song list changed while the songs were dragged; nothing was added.");

// The rows of list that were dragged: its selected rows, when they are still the songs the drag
// carries (the list may have been filled anew meanwhile).
std::optional<std::vector<int>> DraggedRows(const TSongListView& list, const QMimeData& data) {
    const std::vector<int> rows = list.SelectedRows();
    QStringList selected;
    for (int r : rows)
        selected.append(list.Songs()->Row(r).Path());
    QStringList dragged;
    for (const QUrl& url : data.urls())
        dragged.append(url.toLocalFile());
    selected.sort();
    dragged.sort();
    if (rows.empty() || selected != dragged)
        return std::nullopt;
    return rows;
}

} // namespace

TSideBarCommands::TSideBarCommands(TfrmMain& main, Prompts& prompts)
    : QObject(&main)
    , main_(main)
    , prompts_(prompts)
    , bar_(*main.obMain()) {
    const std::pair<const char*, void (TSideBarCommands::*)()> commands[] = {
        {"Bigicons1Click", &TSideBarCommands::Bigicons1Click},
        {"Smallicons1Click", &TSideBarCommands::Smallicons1Click},
        {"Newgroup1Click", &TSideBarCommands::Newgroup1Click},
        {"Deletegroup1Click", &TSideBarCommands::Deletegroup1Click},
        {"Renamegroup1Click", &TSideBarCommands::Renamegroup1Click},
        {"Deleteitem1Click", &TSideBarCommands::Deleteitem1Click}};
    for (const auto& entry : commands) {
        const auto command = entry.second;
        main_.SetHandler(QString::fromLatin1(entry.first), [this, command] { (this->*command)(); });
    }

    bar_.OnOpenPlaylist = [this](const QString& playlist) {
        main_.OpenPlaylistShortcut(playlist);
    };
    bar_.IsSongSource = [this](QObject* source) {
        return source && source == main_.CurrentSongList();
    };
    bar_.IsPlaylistSource = [this](QObject* source) {
        return source && source == main_.lvPlaylist();
    };
    bar_.OnDropSongs = [this](QListWidgetItem* item, const QMimeData& data, QObject* source) {
        dropSongs(item, data, source);
    };
    bar_.OnContextMenu = [this](QListWidgetItem* item, const QPoint& at) {
        showMenu(item, at);
    };
}

void TSideBarCommands::showMenu(QListWidgetItem* item, const QPoint& globalPos) {
    menuItem_ = TSideBar::ItemId(item);
    if (item) {
        main_.Menu(QStringLiteral("pmOutlookItem"))->popup(globalPos);
        return;
    }
    const bool large = bar_.Icons(bar_.currentIndex()) == SideBarIcons::Large;
    main_.Command(QStringLiteral("Bigicons1"))->setChecked(large);
    main_.Command(QStringLiteral("Smallicons1"))->setChecked(!large);
    main_.Menu(QStringLiteral("pmOutlook"))->popup(globalPos);
}

bool TSideBarCommands::openGroupIsFixed() {
    if (!TSideBar::IsFixedGroup(bar_.currentIndex()))
        return false;
    prompts_.information(kGroupCannotBeModified);
    return true;
}

void TSideBarCommands::Bigicons1Click() {
    bar_.SetIcons(bar_.currentIndex(), SideBarIcons::Large);
    main_.Command(QStringLiteral("Bigicons1"))->setChecked(true);
}

void TSideBarCommands::Smallicons1Click() {
    bar_.SetIcons(bar_.currentIndex(), SideBarIcons::Small);
    main_.Command(QStringLiteral("Smallicons1"))->setChecked(true);
}

void TSideBarCommands::Newgroup1Click() {
    QInputDialog ask(&main_);
    ask.setWindowTitle(QStringLiteral("New group"));
    ask.setLabelText(QStringLiteral("Title for group:"));
    ask.setTextValue(QString());
    // The dialog keeps to the size of its contents: a wider edit box leaves room for the title.
    if (auto* edit = ask.findChild<QLineEdit*>())
        edit->setMinimumWidth(260);
    if (ask.exec() != QDialog::Accepted || ask.textValue().trimmed().isEmpty())
        return;
    if (!bar_.AddGroup(ask.textValue()))
        prompts_.information(QStringLiteral("Unable to create new group"));
}

void TSideBarCommands::Deletegroup1Click() {
    if (openGroupIsFixed())
        return;
    // The group asked about, wherever it stands once the question is answered.
    const QPointer<QWidget> group = bar_.currentWidget();
    if (prompts_.ask(PromptKind::Warning, PromptButtons::YesNo,
                     QStringLiteral("Are you sure you want to remove this group?")) ==
            PromptAnswer::Yes &&
        group)
        bar_.RemoveGroup(bar_.indexOf(group));
}

void TSideBarCommands::Renamegroup1Click() {
    if (openGroupIsFixed())
        return;
    const QPointer<QWidget> group = bar_.currentWidget();
    TfrmGroupName dialog(bar_.GroupCaption(bar_.currentIndex()), OnHelp, &main_);
    if (dialog.exec() == QDialog::Accepted && group)
        bar_.RenameGroup(bar_.indexOf(group), dialog.Caption());
}

void TSideBarCommands::Deleteitem1Click() {
    if (openGroupIsFixed())
        return;
    bar_.RemoveItem(bar_.currentIndex(), std::exchange(menuItem_, 0));
}

void TSideBarCommands::dropSongs(QListWidgetItem* item, const QMimeData& data, QObject* source) {
    auto* list = qobject_cast<TSongListView*>(source);
    if (!list || list != main_.CurrentSongList())
        return;
    const SideBarDropAction action = TSideBar::DropActionOf(item);
    const QString playlist = item ? item->text() : QString();
    const std::optional<std::vector<int>> rows = DraggedRows(*list, data);
    if (!rows) {
        prompts_.information(kDragOutOfDate);
        return;
    }
    switch (action) {
    case SideBarDropAction::AddToFavourites:
        main_.DropSongs(FolderDropAction::AddToFavourites, list, *rows);
        break;
    case SideBarDropAction::AddToPlayingSongs:
        main_.DropSongs(FolderDropAction::AddToPlayingSongs, list, *rows);
        break;
    case SideBarDropAction::AddToPlaylist: {
        // A shortcut whose playlist is gone takes nothing.
        const std::optional<PlaylistEntry> entry = main_.FindPlaylistEntry(playlist);
        if (!entry)
            break;
        SongRows lastFirst;
        for (auto r = rows->rbegin(); r != rows->rend(); ++r)
            lastFirst.push_back(list->Songs()->Row(*r));
        AddRowsToPlaylist(entry->Path, lastFirst, prompts_);
        // The playlist shown takes in its new songs.
        if (main_.CurrentView() == ViewKind::Playlists &&
            main_.SelectionModel()->Source().File == entry->Path)
            main_.RebuildShownView();
        break;
    }
    case SideBarDropAction::Nothing:
        break;
    }
}

} // namespace orvane
