#include "playback/WavExport.h"

#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "playback/TXaudioPlayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace orvane {

namespace {

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Whether an existing file may be replaced: Yes or Yes to all (which also sets replaceAll),
// nothing for Cancel.
std::optional<bool> MayReplace(Prompts& prompts, const QString& target, bool& replaceAll) {
    if (replaceAll || !QFileInfo::exists(target))
        return true;
    const PromptAnswer answer =
        prompts.ask(PromptKind::Confirmation, PromptButtons::YesAllNoCancel,
                    QStringLiteral("%1 already exists.\nDo you want to replace it?")
                        .arg(QDir::toNativeSeparators(target)));
    switch (answer) {
    case PromptAnswer::YesToAll:
        replaceAll = true;
        return true;
    case PromptAnswer::Yes:
        return true;
    case PromptAnswer::No:
        return false;
    default:
        return std::nullopt;
    }
}

} // namespace

QString WavFileName(const QString& songPath) {
    QString name = QFileInfo(songPath).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    else
        return name;
    return name + QStringLiteral(".wav");
}

TWavExport::TWavExport(TXaudioPlayer& writer, Prompts& prompts, QObject* parent)
    : QObject(parent)
    , writer_(writer)
    , prompts_(prompts) {
    writer_.OnNotifyPong = [this](TXaudioPlayer*, uint32_t tag) {
        if (phase_ == Phase::Syncing && tag == serial_)
            phase_ = Phase::Playing;
    };
    writer_.OnNotifyError = [this](TXaudioPlayer*, uint8_t, int16_t, const QString& text) {
        if (phase_ == Phase::Playing || phase_ == Phase::Closing)
            fail(text);
    };
    // Every failure to start a song ends in Play being refused.
    writer_.OnNotifyNack = [this](TXaudioPlayer*, uint8_t command, int16_t code) {
        if (phase_ != Phase::Playing || command != XA_MSG_COMMAND_PLAY)
            return;
        fail(writer_.ErrorString(code));
        closeSong();
    };
    writer_.OnNotifyPlayerState = [this](TXaudioPlayer*, int state) {
        if (phase_ != Phase::Playing)
            return;
        if (state == XA_PLAYER_STATE_STOPPED) {
            // Only a failure stops the writer before the end of the song.
            fail(QStringLiteral("the engine stopped before the end of the song"));
            closeSong();
        } else if (state == XA_PLAYER_STATE_EOS) {
            closeSong();
        }
    };
    writer_.OnNotifyAck = [this](TXaudioPlayer*, uint8_t command) {
        if (command != XA_MSG_COMMAND_OUTPUT_CLOSE)
            return;
        if (phase_ == Phase::Closing) {
            completeSong();
        } else if (phase_ == Phase::Cancelling) {
            QFile::remove(scratch_); // where the engine could not have it unlinked while open
            exportNext();
        }
    };
    writer_.OnNotifyInputPositionRange = [this](TXaudioPlayer*, int range) {
        if (phase_ == Phase::Playing)
            emit songRange(range);
    };
    writer_.OnNotifyInputPosition = [this](TXaudioPlayer*, uint32_t offset, uint32_t) {
        if (phase_ == Phase::Playing)
            emit songPosition(static_cast<int>(offset));
    };
}

TWavExport::~TWavExport() {
    if (phase_ != Phase::Idle)
        QFile::remove(scratch_);
}

void TWavExport::Start(const QString& folder, const QStringList& songPaths) {
    if (songPaths.isEmpty())
        return;
    const bool idle = phase_ == Phase::Idle;
    if (idle || phase_ == Phase::Cancelling) {
        total_ = done_ = 0;
        failed_.clear();
        replaceAll_ = false;
    }
    for (const QString& song : songPaths)
        queue_.push_back({song, WithTrailingSeparator(folder)});
    total_ += static_cast<int>(songPaths.size());
    if (idle)
        exportNext();
}

void TWavExport::Cancel() {
    if (phase_ == Phase::Idle || phase_ == Phase::Cancelling)
        return;
    queue_.clear();
    failed_.clear(); // the user knows the export is incomplete
    writer_.Stop();
    writer_.OutputClose();
    QFile::remove(scratch_);
    phase_ = Phase::Cancelling;
}

void TWavExport::exportNext() {
    phase_ = Phase::Syncing; // nothing the writer reports belongs to a song until the Pong
    while (!queue_.empty()) {
        const Job job = queue_.front();
        queue_.pop_front();
        const QString target = job.folder + WavFileName(job.song);
        // A song without an extension, exported into its own folder, is its own WAV name.
        if (QFileInfo(target) == QFileInfo(job.song)) {
            failed_ << QStringLiteral("%1 (the WAV file would replace the song itself)")
                           .arg(QDir::toNativeSeparators(job.song));
            emit songDone(++done_, total_);
            continue;
        }
        existed_ = QFileInfo::exists(target);
        const std::optional<bool> replace = MayReplace(prompts_, target, replaceAll_);
        if (!replace) {
            queue_.clear();
            break;
        }
        if (!*replace) {
            emit songDone(++done_, total_);
            continue;
        }
        song_ = job.song;
        target_ = target;
        scratch_ = target + QStringLiteral(".part");
        error_.clear();
        emit songStarted(WavFileName(job.song));
        emit songPosition(0);
        writer_.Ping(++serial_);
        writer_.SetInputName(song_);
        writer_.OutputOpen(QStringLiteral("wav:") + scratch_);
        writer_.Play();
        return;
    }
    finish();
}

void TWavExport::closeSong() {
    phase_ = Phase::Closing;
    writer_.OutputClose(); // its Ack comes once the file is finished, or after its error
}

void TWavExport::completeSong() {
    if (error_.isEmpty()) {
        // A file that appeared while the song was written was not asked about yet.
        const std::optional<bool> replace =
            existed_ ? std::optional<bool>(true) : MayReplace(prompts_, target_, replaceAll_);
        if (!replace)
            queue_.clear();
        if (!replace || !*replace) {
            QFile::remove(scratch_);
        } else {
            // The engine flushed the file to disk when it finished it.
            std::error_code error;
            std::filesystem::rename(NativePath(scratch_), NativePath(target_), error);
            if (error)
                fail(QStringLiteral("cannot write %1: %2")
                         .arg(QDir::toNativeSeparators(target_),
                              QString::fromStdString(error.message())));
        }
    }
    if (!error_.isEmpty()) {
        QFile::remove(scratch_);
        failed_ << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(song_), error_);
    }
    emit songDone(++done_, total_);
    exportNext();
}

void TWavExport::finish() {
    phase_ = Phase::Idle;
    const QStringList failed = failed_;
    failed_.clear();
    emit finished(failed);
    if (!failed.isEmpty())
        prompts_.warning(QStringLiteral("These songs could not be exported to WAV files:\n") +
                         failed.join(u'\n'));
}

void TWavExport::fail(const QString& reason) {
    if (error_.isEmpty())
        error_ = reason.isEmpty() ? QStringLiteral("unknown error") : reason;
}

} // namespace orvane
