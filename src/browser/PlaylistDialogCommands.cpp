#include "browser/PlaylistDialogCommands.h"

#include "browser/TfrmMain.h"
#include "playlists/PlaylistCommands.h"
#include "playlists/TfrmAddToPlaylist.h"
#include "playlists/TfrmNewPlaylist.h"
#include "playlists/TfrmRandom.h"

#include <QFile>

namespace orvane {

void NewPlaylist1Click(TfrmMain& main, Prompts& prompts) {
    if (main.Mp3Base().isEmpty())
        return;
    const QString path = AskNewPlaylist(main.Mp3Base(), prompts, &main);
    if (path.isEmpty())
        return;
    // NewOnly: a file that appeared since the dialog's check is left alone.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        prompts.information(QStringLiteral("Orvane was unable to create the new playlist file"));
    file.close();
    main.RefillPlaylistList();
}

void AddSelectionToPlaylist(TfrmMain& main, Prompts& prompts) {
    TSongListView* list = main.CurrentSongList();
    if (main.Mp3Base().isEmpty() || !list || !list->HasSelectedRow())
        return;
    SongRows selected;
    for (int r : list->SelectedRows())
        selected.push_back(list->Songs()->Row(r));
    const QString path = AskPlaylist(main.Mp3Base(), prompts, &main);
    if (path.isEmpty())
        return;
    AddRowsToPlaylist(path, selected, prompts);
    main.RefillPlaylistList();
}

void WirePlaylistDialogs(TfrmMain& main, const CollectionList& songs, Prompts& prompts,
                         std::function<void(const QString& playlist)> playPlaylist) {
    main.SetHandler(QStringLiteral("NewPlaylist1Click"),
                    [&main, &prompts] { NewPlaylist1Click(main, prompts); });
    for (const char* handler :
         {"Movetoplaylist1Click", "Addtoplaylist2Click", "Addtoplaylist1Click"})
        main.SetHandler(QString::fromLatin1(handler),
                        [&main, &prompts] { AddSelectionToPlaylist(main, prompts); });
    main.SetHandler(QStringLiteral("Randomplaylist1Click"),
                    [&main, &songs, &prompts, play = std::move(playPlaylist)] {
                        TfrmRandom dialog(songs, main.ProgramFolder(), prompts, play, &main);
                        dialog.exec();
                    });
}

} // namespace orvane
