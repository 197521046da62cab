#include "browser/SongFileCommands.h"

#include "browser/QueueDuration.h"
#include "browser/TfrmMain.h"
#include "browser/TfrmMoveFiles.h"
#include "playlists/RemovedSongs.h"

#include <algorithm>

namespace orvane {

namespace {

inline const QString kChooseTargetTitle = QStringLiteral("Move to directory");

// Copies of the chosen rows, from the last to the first, each once.
SongRows ChosenRows(const TSongListView& list, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    SongRows chosen;
    const SongListModel& model = *list.Songs();
    for (int r : rows)
        if (r >= 0 && r < model.rowCount())
            chosen.push_back(model.Row(r));
    return chosen;
}

class Batches {
public:
    Batches(TfrmMain& main, SongFileContext context)
        : main_(main)
        , context_(std::move(context)) {}

    void Remove(TSongListView* list, const std::vector<int>& rows) {
        const SongRows chosen = ChosenRows(*list, rows);
        if (chosen.empty())
            return;
        run(list, [&](FileBatchProgress* progress) {
            return RemoveSelectedSongs(context_.store, context_.recycleFolder, chosen, progress);
        });
    }

    void Move(TSongListView* list, const SongRows& chosen, const QString& folder, bool addUnknown) {
        if (chosen.empty())
            return;
        const qsizetype songs = context_.store.Songs.size();
        run(list, [&](FileBatchProgress* progress) {
            return MoveSongsToFolder(context_.store, chosen, folder, addUnknown, progress);
        });
        if (context_.store.Songs.size() != songs)
            main_.FollowBrowseLists();
    }

    // The menus' move: the rows chosen now, the folder asked for after.
    void MoveToChosenFolder() {
        TSongListView* list = main_.CurrentSongList();
        if (!list)
            return;
        const SongRows chosen = ChosenRows(*list, list->SelectedRows());
        if (chosen.empty())
            return;
        // Opened where the (last) chosen song lies.
        if (const std::optional<QString> folder =
                context_.prompts.chooseFolder(kChooseTargetTitle, chosen.front().Folder))
            Move(list, chosen, *folder, false);
    }

    void Clear() {
        if (ClearRemovedSongs(context_.store, context_.recycleFolder, context_.prompts))
            main_.RefreshView();
    }

private:
    template <typename Batch> void run(TSongListView* list, Batch batch) {
        if (context_.batchRunning)
            context_.batchRunning(true);
        FileBatchReport report;
        {
            TfrmMoveFiles window(&main_);
            window.Open();
            report = batch(&window);
        }
        takeOut(list, report.gone);
        if (context_.batchRunning)
            context_.batchRunning(false);
        ReportFileBatch(report, context_.prompts);
    }

    // The rows of the files that went, found by their files: the list may have changed while
    // the batch ran.
    void takeOut(TSongListView* list, const QSet<QString>& gone) {
        if (gone.isEmpty() || list == main_.lvPlayingSongs())
            return;
        std::vector<int> rows;
        const SongRows& shown = list->Songs()->Rows();
        for (size_t i = 0; i < shown.size(); ++i)
            if (gone.contains(shown[i].Path()))
                rows.push_back(int(i));
        list->Songs()->RemoveRows(std::move(rows));
        main_.SetCaption(QueueDurationText(list->Songs()->Rows()));
    }

    TfrmMain& main_;
    SongFileContext context_;
};

} // namespace

void WireSongFileCommands(TfrmMain& main, SongFileContext context) {
    auto batches = std::make_shared<Batches>(main, std::move(context));
    main.Library.RemoveSongs = [batches](TSongListView* list, const std::vector<int>& rows) {
        batches->Remove(list, rows);
    };
    main.Library.MoveSongsToFolder = [batches](TSongListView* list, const std::vector<int>& rows,
                                               const QString& folder) {
        batches->Move(list, ChosenRows(*list, rows), folder, true);
    };
    for (const char* handler :
         {"Movetodirectory1Click", "Movetodirectory2Click", "Movetodirectorypath1Click"})
        main.SetHandler(QString::fromLatin1(handler), [batches] { batches->MoveToChosenFolder(); });
    main.SetHandler(QStringLiteral("Clearremovedsongs1Click"), [batches] { batches->Clear(); });
}

} // namespace orvane
