#include "app/PlaybackWiring.h"

#include "app/TrayIcons.h"
#include "app/VolumeControl.h"
#include "browser/LiteralText.h"
#include "browser/SongListView.h"
#include "browser/TfrmMain.h"

#include <QApplication>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QSystemTrayIcon>

namespace orvane {

namespace {
constexpr int kSeekRange = 400;
constexpr int kPlayerMessageMs = 6000;

SongRows SelectedRowsOf(const TSongListView& list) {
    SongRows rows;
    for (int row : list.SelectedRows())
        rows.push_back(list.Songs()->Row(row));
    return rows;
}
} // namespace

int PlayingSongsList::Count() const {
    return list_.Songs()->rowCount();
}

const SongRow& PlayingSongsList::At(int index) const {
    return list_.Songs()->Row(index);
}

void PlayingSongsList::Append(const SongRow& row) {
    list_.Songs()->AppendRow(row);
}

void PlayingSongsList::Assign(SongRows rows) {
    list_.Songs()->SetRows(std::move(rows));
}

void PlayingSongsList::Remove(const std::vector<int>& indices) {
    list_.Songs()->RemoveRows(indices);
}

std::vector<int> PlayingSongsList::Selected() const {
    return list_.SelectedRows();
}

void WindowPlaybackDisplay::ShowStatusPanel(int panel, const QString& text) {
    if (QLabel* label = main_.StatusPanel(panel))
        label->setText(text);
}

void WindowPlaybackDisplay::ShowSongTitle(const QString& text) {
    // The main window's title is what the task bar shows; the dialogs keep their own titles.
    // A "[*]" in a tag is shown as it stands, not taken for the window-modified mark.
    main_.setWindowTitle(QString(text).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    if (QSystemTrayIcon* icon = tray_.Icon(TrayIconId::Orvane))
        icon->setToolTip(LiteralToolTip(text));
}

void WindowPlaybackDisplay::ShowSeekPosition(int position) {
    QSlider* bar = main_.TrackBar1();
    // While the user holds the handle it stays where the pointer put it.
    if (bar->isSliderDown())
        return;
    const QSignalBlocker quiet(bar); // not the user's seek
    bar->setValue(position);
}

void WindowPlaybackDisplay::EnablePlayButtons(bool play, bool pause, bool stop) {
    main_.SetPlayButtons(play, pause, stop);
}

void WindowPlaybackDisplay::ShowQueueDuration(const QString& text) {
    main_.SetPlayingSongsCaption(text);
}

void WindowPlaybackDisplay::ShowPlayerMessage(const QString& text) {
    // For a few seconds in place of the panels; the status bar draws it as plain text.
    main_.statusBar()->showMessage(text, kPlayerMessageMs);
}

void WindowPlaybackDisplay::ShowPlayingRow(int row) {
    TSongListView* list = main_.lvPlayingSongs();
    list->Songs()->SetPlayingRow(row);
    if (row >= 0)
        list->scrollTo(list->Songs()->index(row, 0));
}

PlaybackWiring::PlaybackWiring(TfrmMain& main, TrayIcons& tray, Prompts& prompts,
                               const XaudioLibrary& library)
    : main_(main)
    , tray_(tray)
    , queue_(*main.lvPlayingSongs())
    , display_(main, tray)
    , controller_(std::make_unique<TdmXAudio>(nullptr, prompts, queue_, display_, library)) {
    display_.ShowStatusPanel(2, QStringLiteral("Stopped"));
    display_.ShowStatusPanel(3, QStringLiteral("Time:"));
    wireCommands();
    wireSeekBar();
    wireTrayIcons();
    wireWindows(prompts, library);
    volume_ = new VolumeControl(main, *controller_);
}

PlaybackWiring::~PlaybackWiring() = default;

SongRows PlaybackWiring::selectedOfCurrentList() const {
    const TSongListView* list = main_.CurrentSongList();
    return list ? SelectedRowsOf(*list) : SongRows{};
}

void PlaybackWiring::wireCommands() {
    TdmXAudio& player = *controller_;
    const auto play = [this] {
        const TSongListView* list = main_.CurrentSongList();
        controller_->PlayCommand(list ? &list->Songs()->Rows() : nullptr,
                                 list == main_.lvPlayingSongs());
    };
    const auto pause = [&player] {
        player.PausePlayer();
    };
    const auto stop = [&player] {
        player.StopPlayer();
    };
    const auto next = [&player] {
        player.NextCommand();
    };
    const auto previous = [&player] {
        player.PreviousCommand();
    };
    for (const char* name : {"Play2Click", "Play1Click", "btnPlayClick"})
        main_.SetHandler(QString::fromLatin1(name), play);
    for (const char* name : {"Pause2Click", "Pause1Click", "btnPauseClick"})
        main_.SetHandler(QString::fromLatin1(name), pause);
    for (const char* name : {"Stop2Click", "Stop1Click", "btnStopClick"})
        main_.SetHandler(QString::fromLatin1(name), stop);
    for (const char* name : {"Next2Click", "Next1Click", "btnNextClick"})
        main_.SetHandler(QString::fromLatin1(name), next);
    for (const char* name : {"Previous2Click", "Previous1Click", "btnPrevClick"})
        main_.SetHandler(QString::fromLatin1(name), previous);

    // Double clicks: a song of the main list plays the selection; one of the queue plays from
    // there.
    main_.SetHandler(QStringLiteral("lvSongsDblClick"), [this] {
        TSongListView* list = main_.lvSelection();
        controller_->PlaySelectedCommand(list->Songs()->rowCount(), SelectedRowsOf(*list), false);
    });
    main_.SetHandler(QStringLiteral("Playsong1Click"), [this] {
        TSongListView* list = main_.CurrentSongList();
        if (!list)
            return;
        controller_->PlaySelectedCommand(list->Songs()->rowCount(), SelectedRowsOf(*list),
                                         list == main_.lvPlayingSongs());
    });
    QObject::connect(main_.lvPlayingSongs(), &QAbstractItemView::doubleClicked,
                     main_.lvPlayingSongs(), [&player] { player.PlayFromQueueCommand(); });
    // A double click on an album or an artist runs btnPlayClick (the window connects it).

    // The queue.
    for (const char* name :
         {"Playingsongs1Click", "Addtoplayingsongs1Click", "Addtoplayingsongs2Click"})
        main_.SetHandler(QString::fromLatin1(name), [this] {
            const SongRows rows = selectedOfCurrentList();
            controller_->AddToQueueCommand(rows);
        });
    main_.SetHandler(QStringLiteral("lvPlayingSongsKeyDown"),
                     [&player] { player.RemoveFromQueueCommand(); });
    main_.Library.AddToPlayingSongs = [&player](const SongRow& row, bool& skipAll) {
        skipAll = player.AddToPlayingSongs(row, skipAll);
    };
    main_.Library.CurrentSong = [&player] {
        return player.CurrentSong();
    };
    main_.Library.PlayFirstPlayingSong = [this, &player] {
        if (queue_.Empty())
            return;
        player.SetCurrentSong(0);
        player.PlayFile(queue_.At(0).Path());
    };

    // What the time panel shows.
    main_.SetHandler(QStringLiteral("Time1Click"), [this, &player] {
        player.SetTimeDisplayMode(0);
        main_.Command(QStringLiteral("Time1"))->setChecked(true);
        main_.Command(QStringLiteral("Remaining1"))->setChecked(false);
    });
    main_.SetHandler(QStringLiteral("Remaining1Click"), [this, &player] {
        player.SetTimeDisplayMode(1);
        main_.Command(QStringLiteral("Time1"))->setChecked(false);
        main_.Command(QStringLiteral("Remaining1"))->setChecked(true);
    });
}

void PlaybackWiring::wireWindows(Prompts& prompts, const XaudioLibrary& library) {
    equalizer_ = std::make_unique<TfrmEqualizer>(&main_, controller_->XaudioPlayer());
    wavOutput_ = std::make_unique<TfrmWAVoutput>(&main_, prompts, library);
    main_.SetHandler(QStringLiteral("Equalizer1Click"), [this] {
        equalizer_->show();
        equalizer_->raise();
        equalizer_->activateWindow();
    });
    // The menu's and the song list pop-up's "Export to WAV".
    main_.SetHandler(QStringLiteral("ExporttoWAV1Click"),
                     [this] { wavOutput_->ExportSongs(selectedOfCurrentList()); });
}

void PlaybackWiring::wireSeekBar() {
    QSlider* bar = main_.TrackBar1();
    bar->setEnabled(true);
    bar->setRange(0, kSeekRange);
    // A drag seeks once, where it ends; clicks on the groove and keys seek at once. Positions
    // set by the player are blocked and never seek.
    QObject::connect(bar, &QSlider::valueChanged, bar, [this, bar](int value) {
        if (!bar->isSliderDown())
            controller_->SeekPlayer(uint32_t(value), kSeekRange);
    });
    QObject::connect(bar, &QSlider::sliderReleased, bar,
                     [this, bar] { controller_->SeekPlayer(uint32_t(bar->value()), kSeekRange); });
}

void PlaybackWiring::wireTrayIcons() {
    if (QSystemTrayIcon* icon = tray_.Icon(TrayIconId::Orvane))
        icon->setContextMenu(main_.Menu(QStringLiteral("pmTrayIcon")));
    const std::pair<TrayIconId, const char*> controls[] = {{TrayIconId::Previous, "Previous1"},
                                                           {TrayIconId::Play, "Play1"},
                                                           {TrayIconId::Pause, "Pause1"},
                                                           {TrayIconId::Stop, "Stop1"},
                                                           {TrayIconId::Next, "Next1"}};
    for (const auto& [id, command] : controls) {
        QSystemTrayIcon* icon = tray_.Icon(id);
        if (!icon)
            continue;
        QObject::connect(
            icon, &QSystemTrayIcon::activated, icon,
            [this, name = QString::fromLatin1(command)](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    if (QAction* action = main_.Command(name))
                        action->trigger();
            });
    }
}

} // namespace orvane
