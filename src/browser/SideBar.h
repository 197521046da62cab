#pragma once
// The side bar (obMain): a column of groups, one open at a time, each a list of large or small
// icons. Groups are numbered from 0 in bar order; group 0 "Orvane" and group 1 "Personal" are
// fixed and hold one shortcut per view, groups from 2 on are the user's. Every other item is a
// playlist shortcut, which holds only the playlist's name.
//
// The bar takes two kinds of drag: songs from the window's current song list (dropped on an
// item) and playlists from lvPlaylist (anywhere: the shortcut goes into the open group). What a
// click or a drop of songs does is the window's business, told through the callbacks.
// GUI thread only.

#include "playlists/PlaylistList.h"

#include <QListWidget>
#include <QToolBox>
#include <functional>

class QMimeData;

namespace orvane {

class TSideBarGroup;

enum class SideBarIcons { Large, Small };

// What a drop of songs on an item does.
enum class SideBarDropAction { Nothing, AddToFavourites, AddToPlayingSongs, AddToPlaylist };

class TSideBar : public QToolBox {
    Q_OBJECT
public:
    static constexpr int kFixedGroups = 2;

    explicit TSideBar(QWidget* parent = nullptr);

    // Called with the view's display name ("Albums", "NEW", ...) when its shortcut is clicked.
    std::function<void(const QString& displayName)> OnSelectView;
    // Called with a playlist shortcut's caption when it is clicked.
    std::function<void(const QString& playlist)> OnOpenPlaylist;
    // Which drag sources the bar takes songs and playlists from.
    std::function<bool(QObject* source)> IsSongSource;
    std::function<bool(QObject* source)> IsPlaylistSource;
    // Songs of source dropped on item; data is the drag's data as the song list made it.
    std::function<void(QListWidgetItem* item, const QMimeData& dragged, QObject* source)>
        OnDropSongs;
    // A right click: on an item of the open group, or (item null) elsewhere on the bar.
    std::function<void(QListWidgetItem* item, const QPoint& globalPos)> OnContextMenu;

    QListWidget* Group(int index) const;
    int GroupCount() const { return count(); }
    // The caption of group index as given (its header doubles '&'); empty for no such group.
    QString GroupCaption(int index) const;
    static bool IsFixedGroup(int index) { return index >= 0 && index < kFixedGroups; }

    // Appends a group with that caption and small icons and makes it the open one.
    bool AddGroup(const QString& caption);
    // A playlist shortcut in the first group called groupCaption (letter case counts).
    bool AddGroupItem(const QString& groupCaption, const QString& itemCaption);
    // A playlist shortcut at the end of group index.
    bool AddShortcut(int group, const QString& playlist);
    void RemoveGroup(int index);
    void RenameGroup(int index, const QString& caption);
    // Every item has a number of its own for the run (0 for no item). RemoveItem removes the
    // item of that number when it is still in group; false when it is not.
    static quint64 ItemId(const QListWidgetItem* item);
    bool RemoveItem(int group, quint64 id);

    void SetIcons(int group, SideBarIcons icons);
    SideBarIcons Icons(int group) const;

    static bool IsPlaylistShortcut(const QListWidgetItem* item);
    static SideBarDropAction DropActionOf(const QListWidgetItem* item);

    // Greys out the playlist shortcuts whose playlist is not among found (compared as
    // FindPlaylist does), and tells so in their tooltips.
    void MarkPlaylists(const PlaylistView& found);
    static bool IsMarkedMissing(const QListWidgetItem* item);

    // The drop handler of the bar: item is the item under the drop point, or null on empty
    // space or a group header. True when the drop was taken.
    bool obMainDragDrop(QListWidgetItem* item, const QMimeData& dragged, QObject* source);
    // Whether a drag may be dropped on item (null: empty space or a header).
    bool AcceptsDrag(const QListWidgetItem* item, const QMimeData& dragged, QObject* source) const;

signals:
    // Groups, items, captions or icon sizes changed (not the open group).
    void GroupsChanged();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class TSideBarGroup;
    TSideBarGroup* addGroupWidget(const QString& caption);
    void itemClicked(QListWidgetItem* item);
    // A shortcut to playlist (the same name without regard to case) is in group already.
    bool hasShortcut(int group, const QString& playlist) const;
};

// The playlist captions in drag data made by lvPlaylist (a list widget's own item data).
QStringList DraggedPlaylistCaptions(const QMimeData& data);

} // namespace orvane
