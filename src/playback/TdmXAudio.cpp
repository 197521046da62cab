#include "playback/TdmXAudio.h"

#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "playlists/PlaylistFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>

namespace orvane {

namespace {

constexpr uint32_t kSeekRange = 400;
// How long StopPlayer waits for the engine before it gives up rather than hang the program.
constexpr int kStopWaitMs = 10000;
// While it waits, StopPlayer looks at the engine's queue at least this often, for a wake-up
// that a nested event loop left undelivered.
constexpr int kStopPollMs = 50;
const QString kImportMark = QStringLiteral("IMPORT:\\");

QString Clock(uint32_t hours, uint32_t minutes, uint32_t seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QChar(u'0'))
        .arg(minutes, 2, 10, QChar(u'0'))
        .arg(seconds, 2, 10, QChar(u'0'));
}

} // namespace

TdmXAudio::TdmXAudio(QObject* owner, Prompts& prompts, SongQueue& queue, PlaybackDisplay& display,
                     const XaudioLibrary& library)
    : QObject(owner)
    , prompts_(prompts)
    , queue_(queue)
    , display_(display)
    , player_(new TXaudioPlayer(this, prompts, library)) {
    player_->SetPriority(4);
    player_->OnNotifyPlayerState = [this](TXaudioPlayer*, int state) {
        OnPlayerState(state);
    };
    player_->OnNotifyInputName = [this](TXaudioPlayer*, const QString& name) {
        OnInputName(name);
    };
    player_->OnNotifyInputPosition = [this](TXaudioPlayer*, uint32_t offset, uint32_t) {
        OnInputPosition(offset);
    };
    player_->OnNotifyInputTimecode = [this](TXaudioPlayer*, uint8_t h, uint8_t m, uint8_t s,
                                            uint8_t) {
        OnInputTimecode(h, m, s);
    };
    player_->OnNotifyNack = [this](TXaudioPlayer*, uint8_t command, int16_t) {
        if (command == XA_MSG_COMMAND_INPUT_OPEN)
            OnOpenFailed();
    };
    player_->OnNotifyError = [this](TXaudioPlayer*, uint8_t, int16_t, const QString& text) {
        display_.ShowPlayerMessage(text);
    };
    for (int i = 0; i < queue_.Count(); ++i)
        queueDuration_.Add(queue_.At(i));
}

bool TdmXAudio::AddToPlayingSongs(const SongRow& row, bool skipAll) {
    const qsizetype mark = row.Folder.toUpper().indexOf(kImportMark);
    if (mark >= 0) {
        prompts_.information(QStringLiteral("This song is not in your collection\n\nContact "
                                            "info:\n\n") +
                             row.Folder.mid(mark + kImportMark.size()));
    } else if (QFileInfo::exists(row.Path())) {
        queue_.Append(row);
        queueDuration_.Add(row);
    } else if (!skipAll) {
        const PromptAnswer answer = prompts_.ask(
            PromptKind::Warning, PromptButtons::OkCancel,
            QStringLiteral("Unable to find file\nFile is located on: ") + row.Collection +
                QStringLiteral("\nIf the song was located on a removeable media (ie.: CD, "
                               "ZipDrive)\nmake sure the disk is in the correct drive"));
        if (answer == PromptAnswer::Cancel &&
            prompts_.ask(PromptKind::Information, PromptButtons::YesNo,
                         QStringLiteral("Skip all external songs?")) == PromptAnswer::Yes)
            skipAll = true;
    }
    ShowQueueDuration();
    return skipAll;
}

void TdmXAudio::StopPlayer() {
    // An end of input reported before the engine took the stop must not open the next song
    // behind it. Nested stops (a Stop pressed while another one waits) restore the outer flag.
    const bool outerStop = stopPending_;
    stopPending_ = true;
    player_->Stop();
    player_->InputClose();
    // The stopped state arrives as a notification; other events (and commands) may run while
    // we wait. The loop sleeps until an event arrives: the engine's wake-up, or the poll timer.
    // A queue's wake-up posted before this wait began is not always run by the nested loop,
    // hence the explicit delivery on every turn.
    QDeadlineTimer deadline(kStopWaitMs);
    QTimer poll;
    poll.start(kStopPollMs);
    while (!stopped_ && !deadline.hasExpired()) {
        player_->DeliverPending();
        if (stopped_)
            break;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    stopPending_ = outerStop;
}

void TdmXAudio::PlayFile(const QString& path) {
    openedRow_ = currentSong_;
    ++opensSent_;
    player_->InputOpen(path);
    player_->Play();
}

void TdmXAudio::PlayPlaylist(const QString& path) {
    SongRows rows;
    TMPEGAudio info;
    if (!LoadPlaylist(path, FolderPart(path), rows, info, noFilter_))
        queue_.Assign(std::move(rows));
    else
        queue_.Clear(); // an unreadable playlist plays nothing
    queueDuration_.Reset();
    for (int i = 0; i < queue_.Count(); ++i)
        queueDuration_.Add(queue_.At(i));
    ShowQueueDuration();
    StopPlayer();
    // The queue may have changed while the stop was awaited.
    if (queue_.Empty()) {
        currentSong_ = -1;
        return;
    }
    currentSong_ = 0;
    PlayFile(queue_.At(0).Path());
}

void TdmXAudio::PausePlayer() {
    player_->Pause();
}

void TdmXAudio::ResumePlayer() {
    player_->Play();
}

void TdmXAudio::SeekPlayer(uint32_t offset, uint32_t range) {
    player_->InputSeek(offset, range);
}

void TdmXAudio::SetVolume(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == volume_)
        return;
    volume_ = percent;
    // The master level alone; the PCM level and the balance stay neutral.
    player_->SetOutputVolume(uint8_t(volume_), 100, 50);
    emit VolumeChanged();
}

void TdmXAudio::SetMuted(bool muted) {
    if (muted == muted_)
        return;
    muted_ = muted;
    if (muted_)
        player_->OutputMute();
    else
        player_->OutputUnmute();
    emit VolumeChanged();
}

void TdmXAudio::PlayCommand(const SongRows* currentList, bool currentIsQueue) {
    if (paused_) {
        ResumePlayer();
        return;
    }
    StopPlayer();
    if (!currentList || currentList->empty() || currentIsQueue)
        return;
    ClearQueue();
    bool skipAll = false;
    for (const SongRow& row : *currentList)
        skipAll = AddToPlayingSongs(row, skipAll);
    if (!queue_.Empty()) {
        currentSong_ = 0;
        PlayFile(queue_.At(0).Path());
    }
}

void TdmXAudio::PlaySelectedCommand(int listCount, SongRows selected, bool listIsQueue) {
    if (listCount <= 0)
        return;
    ClearQueue();
    // The selection of the playing-songs list went with its rows.
    if (listIsQueue)
        selected.clear();
    StopPlayer();
    bool skipAll = false;
    for (const SongRow& row : selected)
        skipAll = AddToPlayingSongs(row, skipAll);
    if (!queue_.Empty()) {
        currentSong_ = 0;
        PlayFile(queue_.At(0).Path());
    }
}

void TdmXAudio::PlayFromQueueCommand() {
    const std::vector<int> selected = queue_.Selected();
    if (selected.empty() || queue_.Empty())
        return;
    const int index = selected.front();
    const QString path = queue_.At(index).Path();
    StopPlayer();
    // The row chosen is played only when it is still where it was after the stop.
    if (index >= queue_.Count() || queue_.At(index).Path() != path)
        return;
    currentSong_ = index;
    PlayFile(path);
}

void TdmXAudio::NextCommand() {
    const int remembered = currentSong_;
    StopPlayer();
    currentSong_ = remembered;
    if (queue_.Empty())
        return;
    if (currentSong_ < 0 || currentSong_ > queue_.Count())
        currentSong_ = -1;
    ++currentSong_;
    if (currentSong_ < queue_.Count())
        PlayFile(queue_.At(currentSong_).Path());
}

void TdmXAudio::PreviousCommand() {
    if (queue_.Empty())
        return;
    if (currentSong_ < 1 || currentSong_ > queue_.Count())
        currentSong_ = 1;
    const int remembered = std::max(0, currentSong_ - 1);
    StopPlayer();
    // Rows may have been removed while the stop was awaited: the last one left is played then.
    if (queue_.Empty())
        return;
    currentSong_ = std::min(remembered, queue_.Count() - 1);
    PlayFile(queue_.At(currentSong_).Path());
}

void TdmXAudio::AddToQueueCommand(std::span<const SongRow> rows) {
    const int before = queue_.Count();
    bool skipAll = false;
    for (const SongRow& row : rows)
        skipAll = AddToPlayingSongs(row, skipAll);
    if (currentSong_ < 0 && !queue_.Empty()) {
        currentSong_ = 0;
        PlayFile(queue_.At(0).Path());
    } else if (currentSong_ >= before && queue_.Count() > before) {
        // The queue had been played to its end: nothing plays, so the first song added starts.
        currentSong_ = before;
        PlayFile(queue_.At(before).Path());
    }
}

void TdmXAudio::RemoveFromQueueCommand() {
    std::vector<int> selected = queue_.Selected();
    if (selected.empty())
        return;
    std::sort(selected.begin(), selected.end(), std::greater<>());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    for (int index : selected) {
        if (index < 0 || index >= queue_.Count())
            continue;
        queueDuration_.Subtract(queue_.At(index));
        if (index < currentSong_)
            --currentSong_;
        if (index < openedRow_)
            --openedRow_;
    }
    if (markedRow_ >= 0) {
        const auto below = std::count_if(selected.begin(), selected.end(),
                                         [this](int index) { return index < markedRow_; });
        const bool gone = std::find(selected.begin(), selected.end(), markedRow_) != selected.end();
        MarkPlayingRow(gone ? -1 : markedRow_ - int(below));
    }
    queue_.Remove(selected);
    ShowQueueDuration();
}

void TdmXAudio::OnPlayerState(int state) {
    FollowPlayerState(state);
    emit PlaybackChanged();
}

void TdmXAudio::FollowPlayerState(int state) {
    switch (state) {
    case XA_PLAYER_STATE_STOPPED:
        stopped_ = true;
        playing_ = paused_ = false;
        display_.ShowStatusPanel(2, QStringLiteral("Stopped"));
        display_.EnablePlayButtons(true, false, false);
        currentSong_ = -1;
        MarkPlayingRow(-1);
        return;
    case XA_PLAYER_STATE_PLAYING:
        playing_ = true;
        stopped_ = paused_ = false;
        display_.ShowStatusPanel(2, QStringLiteral("Playing"));
        display_.EnablePlayButtons(true, true, true);
        MarkPlayingRow(currentSong_);
        return;
    case XA_PLAYER_STATE_PAUSED:
        paused_ = true;
        stopped_ = playing_ = false;
        display_.ShowStatusPanel(2, QStringLiteral("Paused"));
        display_.EnablePlayButtons(true, false, true);
        return;
    case XA_PLAYER_STATE_EOS:
        if (stopPending_)
            return; // the song ended just before a stop; nothing follows it
        ++currentSong_;
        if (currentSong_ >= 0 && currentSong_ < queue_.Count()) {
            PlayFile(queue_.At(currentSong_).Path());
        } else {
            // The queue is done: the engine keeps the input at its end and plays nothing.
            display_.ShowStatusPanel(2, QStringLiteral("Stopped"));
            display_.EnablePlayButtons(true, true, false);
            MarkPlayingRow(-1);
        }
        return;
    default:
        return;
    }
}

void TdmXAudio::OnOpenFailed() {
    ++opensAnswered_;
    // A stop awaited, or a later open, has taken over from the song that failed.
    if (opensAnswered_ != opensSent_ || stopPending_ || openedRow_ < 0)
        return;
    currentSong_ = openedRow_ + 1;
    if (currentSong_ < queue_.Count()) {
        PlayFile(queue_.At(currentSong_).Path());
        return;
    }
    // Nothing is left to play: what is still heard is the tail of the song before.
    currentSong_ = -1;
    display_.ShowStatusPanel(2, QStringLiteral("Stopped"));
    display_.EnablePlayButtons(true, false, false);
    MarkPlayingRow(-1);
}

void TdmXAudio::MarkPlayingRow(int row) {
    if (row == markedRow_)
        return;
    markedRow_ = row;
    display_.ShowPlayingRow(row);
}

void TdmXAudio::OnInputName(const QString& name) {
    ++opensAnswered_;
    nowPlaying_.SetFileName(name);
    display_.ShowSongTitle(nowPlaying_.Artist() + QStringLiteral(" - ") + nowPlaying_.Title());
    songSeconds_ = nowPlaying_.Duration();
    elapsedSeconds_ = 0;
    ++songsOpened_;
    emit PlaybackChanged();
}

void TdmXAudio::OnInputPosition(uint32_t offset) {
    display_.ShowSeekPosition(static_cast<int>(std::min(offset, kSeekRange)));
}

void TdmXAudio::OnInputTimecode(int hours, int minutes, int seconds) {
    if (seconds % 5 == 0)
        display_.ShowStatusPanel(1, NowPlayingText());
    const uint32_t elapsed = uint32_t(hours) * 3600 + uint32_t(minutes) * 60 + uint32_t(seconds);
    elapsedSeconds_ = int(elapsed);
    if (timeDisplayMode_ == 0) {
        display_.ShowStatusPanel(3, QStringLiteral("Time:") + Clock(hours, minutes, seconds));
    } else if (timeDisplayMode_ == 1) {
        // A song that plays longer than its file information says shows no time left.
        const uint32_t left = songSeconds_ > elapsed ? songSeconds_ - elapsed : 0;
        display_.ShowStatusPanel(3, QStringLiteral("Remain:") +
                                        Clock(left / 3600, left / 60 % 60, left % 60));
    }
}

void TdmXAudio::ClearQueue() {
    queue_.Clear();
    queueDuration_.Reset();
}

void TdmXAudio::ShowQueueDuration() {
    display_.ShowQueueDuration(queueDuration_.Text());
    emit PlaybackChanged();
}

QString TdmXAudio::NowPlayingText() const {
    return QStringLiteral("Now playing: ") + nowPlaying_.Artist() + QStringLiteral(" - ") +
           nowPlaying_.Title();
}

} // namespace orvane
