#include "store/ScanTally.h"

namespace orvane {

QString UnreadableReason(UnreadableKind kind) {
    switch (kind) {
    case UnreadableKind::EmptyFile:
        return QStringLiteral("empty file");
    case UnreadableKind::NotMpegAudio:
        return QStringLiteral("not MPEG audio");
    case UnreadableKind::FileNotReadable:
        return QStringLiteral("unreadable");
    case UnreadableKind::FolderNotReadable:
        return QStringLiteral("folder not readable");
    }
    return {};
}

void ScanTally::Begin(qsizetype songsBefore) {
    running_ = true;
    songsBefore_ = songsBefore;
    filesRead_ = songsAdded_ = 0;
    entries_.clear();
    lastReport_.invalidate();
}

void ScanTally::FileRead(qsizetype songsNow) {
    ++filesRead_;
    songsAdded_ = std::max<qsizetype>(0, songsNow - songsBefore_);
}

void ScanTally::Unreadable(const QString& path, UnreadableKind kind) {
    if (running_)
        entries_.push_back({path, kind});
}

void ScanTally::Finish(qsizetype songsNow) {
    songsAdded_ = std::max<qsizetype>(0, songsNow - songsBefore_);
    running_ = false;
}

bool ScanTally::ReportDue() {
    if (lastReport_.isValid() && lastReport_.elapsed() < kReportInterval)
        return false;
    lastReport_.start();
    return true;
}

QString ScanTally::ProgressText() const {
    if (filesRead_ == 0)
        return QStringLiteral("Scanning...");
    return QStringLiteral("Scanning: %1 files read, %2 songs added")
        .arg(filesRead_)
        .arg(songsAdded_);
}

QString ScanTally::SummaryText() const {
    QString text = QStringLiteral("Scan: %1 songs added").arg(songsAdded_);
    if (!entries_.empty())
        text += QStringLiteral(", %1 files not read").arg(entries_.size());
    return text;
}

} // namespace orvane
