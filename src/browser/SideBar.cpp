#include "browser/SideBar.h"

#include "browser/MenuImages.h"
#include "browser/SongListModel.h"
#include "platform/AsciiCase.h"

#include <QContextMenuEvent>
#include <QDataStream>
#include <QMimeData>

namespace orvane {

namespace {

struct Shortcut {
    const char* caption;
    const char* view; // the display name of the view
    MenuImage image;
};

const Shortcut kOrvaneGroup[] = {{"Orvane", "Orvane", MenuImage::Orvane},
                                 {"Albums", "Albums", MenuImage::Albums},
                                 {"Artists", "Artists", MenuImage::Artists},
                                 {"Genres", "Genres", MenuImage::Genres},
                                 {"Playing", "Playing", MenuImage::Playing},
                                 {"Removed songs", "Removed songs", MenuImage::RemovedSongs}};
const Shortcut kPersonalGroup[] = {{"Favourites", "Favourites", MenuImage::Favourites},
                                   {"My files", "My files", MenuImage::MyFiles},
                                   {"Playlist", "Playlist", MenuImage::Playlist},
                                   {"New", "NEW", MenuImage::NewSongs}};

constexpr int kViewRole = Qt::UserRole + 1;     // view shortcuts: the view's display name
constexpr int kPlaylistRole = Qt::UserRole + 2; // playlist shortcuts: true
constexpr int kMissingRole = Qt::UserRole + 3;  // playlist shortcuts: no such playlist found
constexpr int kIdRole = Qt::UserRole + 4;       // a number no other item of the run has

quint64 NextItemId() {
    static quint64 last = 0;
    return ++last;
}

constexpr QSize kLargeIconSize(32, 32);
constexpr QSize kSmallIconSize(16, 16);

// How a list widget's model packs dragged items (QAbstractItemModel::mimeData).
const QString kItemDataMimeType = QStringLiteral("application/x-qabstractitemmodeldatalist");

// A header would take a single '&' as the mark of a shortcut key.
QString ShownCaption(QString caption) {
    return caption.replace(u'&', QStringLiteral("&&"));
}

QIcon GreyedIcon(const QIcon& icon) {
    QIcon greyed;
    for (const QSize size : {kSmallIconSize, kLargeIconSize})
        greyed.addPixmap(icon.pixmap(size, QIcon::Disabled));
    return greyed;
}

} // namespace

// One group's page: passes drags, drops and right clicks on its items to the bar.
class TSideBarGroup : public QListWidget {
public:
    TSideBarGroup(TSideBar& bar)
        : QListWidget(&bar)
        , bar_(bar) {
        setFrameShape(QFrame::NoFrame);
        setSpacing(2);
        setMovement(QListView::Static);
        setResizeMode(QListView::Adjust);
        setWordWrap(true);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setDragDropMode(QAbstractItemView::DropOnly);
        setDropIndicatorShown(false);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { dragMove(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { dragMove(event); }
    void dropEvent(QDropEvent* event) override {
        QListWidgetItem* item = itemAt(event->position().toPoint());
        if (bar_.obMainDragDrop(item, *event->mimeData(), event->source()))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (bar_.OnContextMenu)
            bar_.OnContextMenu(itemAt(event->pos()), event->globalPos());
        event->accept();
    }

private:
    void dragMove(QDragMoveEvent* event) {
        QListWidgetItem* item = itemAt(event->position().toPoint());
        if (bar_.AcceptsDrag(item, *event->mimeData(), event->source())) {
            // The item that would take the songs is shown chosen.
            if (item)
                setCurrentItem(item);
            event->acceptProposedAction();
        } else {
            event->ignore();
        }
    }

    TSideBar& bar_;

public:
    QString caption; // as the user gave it; the header shows it with '&' doubled
};

TSideBar::TSideBar(QWidget* parent)
    : QToolBox(parent) {
    setObjectName(QStringLiteral("obMain"));
    setAcceptDrops(true); // a playlist dropped on a group header
    auto fill = [this](const QString& caption, const auto& shortcuts) {
        QListWidget* group = addGroupWidget(caption);
        for (const Shortcut& s : shortcuts) {
            auto* item = new QListWidgetItem(TdmMenuImg::Icon(s.image),
                                             QString::fromLatin1(s.caption), group);
            item->setData(kViewRole, QString::fromLatin1(s.view));
            item->setData(kIdRole, NextItemId());
        }
    };
    fill(QStringLiteral("Orvane"), kOrvaneGroup);
    fill(QStringLiteral("Personal"), kPersonalGroup);
    setCurrentIndex(0);
}

QString TSideBar::GroupCaption(int index) const {
    const auto* group = static_cast<const TSideBarGroup*>(widget(index));
    return group ? group->caption : QString();
}

QListWidget* TSideBar::Group(int index) const {
    return qobject_cast<QListWidget*>(widget(index));
}

TSideBarGroup* TSideBar::addGroupWidget(const QString& caption) {
    auto* group = new TSideBarGroup(*this);
    connect(group, &QListWidget::itemClicked, this, &TSideBar::itemClicked);
    group->caption = caption;
    addItem(group, ShownCaption(caption));
    SetIcons(count() - 1, SideBarIcons::Small);
    return group;
}

bool TSideBar::AddGroup(const QString& caption) {
    addGroupWidget(caption);
    setCurrentIndex(count() - 1);
    emit GroupsChanged();
    return true;
}

bool TSideBar::AddGroupItem(const QString& groupCaption, const QString& itemCaption) {
    for (int g = 0; g < count(); ++g)
        if (GroupCaption(g) == groupCaption)
            return AddShortcut(g, itemCaption);
    return false;
}

bool TSideBar::AddShortcut(int group, const QString& playlist) {
    QListWidget* list = Group(group);
    if (!list)
        return false;
    auto* item = new QListWidgetItem(TdmMenuImg::Icon(MenuImage::Playlist), playlist, list);
    item->setData(kPlaylistRole, true);
    item->setData(kIdRole, NextItemId());
    emit GroupsChanged();
    return true;
}

void TSideBar::RemoveGroup(int index) {
    QWidget* page = widget(index);
    if (!page || IsFixedGroup(index))
        return;
    removeItem(index);
    delete page;
    emit GroupsChanged();
}

void TSideBar::RenameGroup(int index, const QString& caption) {
    if (index < 0 || index >= count() || IsFixedGroup(index))
        return;
    static_cast<TSideBarGroup*>(widget(index))->caption = caption;
    setItemText(index, ShownCaption(caption));
    emit GroupsChanged();
}

quint64 TSideBar::ItemId(const QListWidgetItem* item) {
    return item ? item->data(kIdRole).toULongLong() : 0;
}

bool TSideBar::RemoveItem(int group, quint64 id) {
    QListWidget* list = Group(group);
    for (int row = 0; list && id != 0 && row < list->count(); ++row) {
        if (ItemId(list->item(row)) == id) {
            delete list->takeItem(row);
            emit GroupsChanged();
            return true;
        }
    }
    return false;
}

void TSideBar::SetIcons(int group, SideBarIcons icons) {
    QListWidget* list = Group(group);
    if (!list)
        return;
    const bool large = icons == SideBarIcons::Large;
    // Large icons stand in one column with their captions under them.
    list->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(false);
    list->setIconSize(large ? kLargeIconSize : kSmallIconSize);
    list->setMovement(QListView::Static);
    // Both calls above take drops away from a list whose items do not move.
    list->viewport()->setAcceptDrops(true);
    emit GroupsChanged();
}

SideBarIcons TSideBar::Icons(int group) const {
    const QListWidget* list = Group(group);
    return list && list->viewMode() == QListView::IconMode ? SideBarIcons::Large
                                                           : SideBarIcons::Small;
}

bool TSideBar::IsPlaylistShortcut(const QListWidgetItem* item) {
    return item && item->data(kPlaylistRole).toBool();
}

bool TSideBar::IsMarkedMissing(const QListWidgetItem* item) {
    return item && item->data(kMissingRole).toBool();
}

SideBarDropAction TSideBar::DropActionOf(const QListWidgetItem* item) {
    if (!item)
        return SideBarDropAction::Nothing;
    if (IsPlaylistShortcut(item))
        return SideBarDropAction::AddToPlaylist;
    const QString view = item->data(kViewRole).toString();
    if (view == QStringLiteral("Favourites"))
        return SideBarDropAction::AddToFavourites;
    if (view == QStringLiteral("Playing"))
        return SideBarDropAction::AddToPlayingSongs;
    return SideBarDropAction::Nothing;
}

void TSideBar::MarkPlaylists(const PlaylistView& found) {
    for (int g = 0; g < count(); ++g) {
        QListWidget* list = Group(g);
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            if (!IsPlaylistShortcut(item))
                continue;
            const bool missing = std::none_of(found.begin(), found.end(), [&](const auto& e) {
                return SameTextNoCase(e.Caption, item->text());
            });
            if (missing == IsMarkedMissing(item))
                continue;
            item->setData(kMissingRole, missing);
            const QIcon icon = TdmMenuImg::Icon(MenuImage::Playlist);
            item->setIcon(missing ? GreyedIcon(icon) : icon);
            item->setForeground(missing ? palette().brush(QPalette::Disabled, QPalette::Text)
                                        : palette().brush(QPalette::Active, QPalette::Text));
            // Tooltips read markup; the caption is a file's name.
            item->setToolTip(missing ? QStringLiteral("No playlist \"%1\" is found in the MP3 "
                                                      "base folder any more.")
                                           .arg(item->text().toHtmlEscaped())
                                     : QString());
        }
    }
}

bool TSideBar::AcceptsDrag(const QListWidgetItem* item, const QMimeData& dragged,
                           QObject* source) const {
    if (dragged.hasFormat(kItemDataMimeType) && IsPlaylistSource && IsPlaylistSource(source))
        return true;
    return dragged.hasFormat(kSongRowsMimeType) && IsSongSource && IsSongSource(source) &&
           DropActionOf(item) != SideBarDropAction::Nothing;
}

bool TSideBar::obMainDragDrop(QListWidgetItem* item, const QMimeData& dragged, QObject* source) {
    if (!AcceptsDrag(item, dragged, source))
        return false;
    if (dragged.hasFormat(kItemDataMimeType) && IsPlaylistSource(source)) {
        // Into the open group, wherever on the bar it was dropped; once per group.
        const int open = currentIndex();
        for (const QString& caption : DraggedPlaylistCaptions(dragged))
            if (!hasShortcut(open, caption))
                AddShortcut(open, caption);
        return true;
    }
    if (OnDropSongs)
        OnDropSongs(item, dragged, source);
    return true;
}

bool TSideBar::hasShortcut(int group, const QString& playlist) const {
    const QListWidget* list = Group(group);
    for (int i = 0; list && i < list->count(); ++i)
        if (IsPlaylistShortcut(list->item(i)) && SameTextNoCase(list->item(i)->text(), playlist))
            return true;
    return false;
}

void TSideBar::itemClicked(QListWidgetItem* item) {
    if (IsPlaylistShortcut(item)) {
        if (OnOpenPlaylist)
            OnOpenPlaylist(item->text());
        return;
    }
    const QString view = item->data(kViewRole).toString();
    if (!view.isEmpty() && OnSelectView)
        OnSelectView(view);
}

void TSideBar::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TSideBar::dragMoveEvent(QDragMoveEvent* event) {
    if (AcceptsDrag(nullptr, *event->mimeData(), event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TSideBar::dropEvent(QDropEvent* event) {
    if (obMainDragDrop(nullptr, *event->mimeData(), event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TSideBar::contextMenuEvent(QContextMenuEvent* event) {
    if (OnContextMenu)
        OnContextMenu(nullptr, event->globalPos());
    event->accept();
}

QStringList DraggedPlaylistCaptions(const QMimeData& data) {
    QByteArray encoded = data.data(kItemDataMimeType);
    QDataStream stream(&encoded, QIODevice::ReadOnly);
    QStringList captions;
    while (!stream.atEnd()) {
        int row = 0;
        int column = 0;
        QMap<int, QVariant> roles;
        stream >> row >> column >> roles;
        if (stream.status() != QDataStream::Ok)
            break;
        const QString caption = roles.value(Qt::DisplayRole).toString();
        if (!caption.isEmpty())
            captions.append(caption);
    }
    return captions;
}

} // namespace orvane
