#include "browser/ViewTable.h"

#include "platform/AsciiCase.h"

#include <QStringList>
#include <array>

namespace orvane {

namespace {

using enum ColumnSorting;

constexpr std::array<ViewLayout, 10> kLayouts = {{
    {ViewKind::StartPage, false, CategoryPage::Genres, SongPage::NetBrowser, Unchanged,
     SongListId::None},
    {ViewKind::Albums, true, CategoryPage::Albums, SongPage::Selection, HeaderClickToggles,
     SongListId::Selection},
    {ViewKind::Artists, true, CategoryPage::Artists, SongPage::Selection, HeaderClickToggles,
     SongListId::Selection},
    {ViewKind::Favourites, false, CategoryPage::Genres, SongPage::Selection, HeaderClickToggles,
     SongListId::Selection},
    {ViewKind::Genres, true, CategoryPage::Genres, SongPage::Selection, HeaderClickToggles,
     SongListId::Selection},
    {ViewKind::DiskFolder, true, CategoryPage::MyFiles, SongPage::Selection, HeaderClickToggles,
     SongListId::Selection},
    {ViewKind::PlayingSongs, false, CategoryPage::Genres, SongPage::PlayingSongs, Unchanged,
     SongListId::PlayingSongs},
    {ViewKind::Playlists, true, CategoryPage::Playlist, SongPage::Selection, Off,
     SongListId::Selection},
    {ViewKind::RemovedSongs, false, CategoryPage::Genres, SongPage::Selection, HeaderClickToggles,
     SongListId::Selection},
    {ViewKind::NewSongs, false, CategoryPage::Genres, SongPage::Selection, HeaderClickToggles,
     SongListId::Selection},
}};

// The order in which a top folder's text is tried against the views.
constexpr std::array<ViewKind, 9> kTopFolderOrder = {
    ViewKind::Albums,     ViewKind::Artists,      ViewKind::Favourites,
    ViewKind::DiskFolder, ViewKind::Genres,       ViewKind::PlayingSongs,
    ViewKind::Playlists,  ViewKind::RemovedSongs, ViewKind::NewSongs};

} // namespace

const ViewLayout& LayoutOf(ViewKind kind) {
    return kLayouts[size_t(kind)];
}

QString DisplayName(ViewKind kind) {
    switch (kind) {
    case ViewKind::StartPage:
        return QStringLiteral("Orvane");
    case ViewKind::Albums:
        return QStringLiteral("Albums");
    case ViewKind::Artists:
        return QStringLiteral("Artists");
    case ViewKind::Favourites:
        return QStringLiteral("Favourites");
    case ViewKind::Genres:
        return QStringLiteral("Genres");
    case ViewKind::DiskFolder:
        return QStringLiteral("My files");
    case ViewKind::PlayingSongs:
        return QStringLiteral("Playing");
    case ViewKind::Playlists:
        return QStringLiteral("Playlist");
    case ViewKind::RemovedSongs:
        return QStringLiteral("Removed songs");
    case ViewKind::NewSongs:
        return QStringLiteral("NEW");
    }
    return {};
}

std::optional<ViewKind> ViewOfTopFolder(const QString& text) {
    for (ViewKind kind : kTopFolderOrder)
        if (SameTextNoCase(text, DisplayName(kind)))
            return kind;
    return std::nullopt;
}

QStringList FolderNodeNames() {
    return {QStringLiteral("Albums"),  QStringLiteral("Artists"),  QStringLiteral("Favourites"),
            QStringLiteral("Genres"),  QStringLiteral("My files"), QStringLiteral("NEW"),
            QStringLiteral("Playing"), QStringLiteral("Playlist"), QStringLiteral("Removed songs")};
}

const std::vector<FolderCaption>& FolderCaptions() {
    static const std::vector<FolderCaption> captions = {
        {QStringLiteral("Orvane"), QStringLiteral("Orvane")},
        {QStringLiteral("Albums"), QStringLiteral("Albums")},
        {QStringLiteral("Artists"), QStringLiteral("Artists")},
        {QStringLiteral("favourites"), QStringLiteral("Favourites")},
        {QStringLiteral("myfiles"), QStringLiteral("My files")},
        {QStringLiteral("genres"), QStringLiteral("Genres")},
        {QStringLiteral("playing"), QStringLiteral("Playing")},
        {QStringLiteral("playlist"), QStringLiteral("Playlist")},
        {QStringLiteral("removed songs"), QStringLiteral("Removed songs")}};
    return captions;
}

qsizetype FindLastNoCase(const QStringList& texts, const QString& name) {
    for (qsizetype i = texts.size() - 1; i >= 0; --i)
        if (SameTextNoCase(texts[i], name))
            return i;
    return -1;
}

} // namespace orvane
