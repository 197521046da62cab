#include "playlists/FileBatch.h"

#include "platform/FileMoves.h"

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <thread>

namespace orvane {

namespace {

QString FailureLines(qsizetype count, const char* what, const std::vector<FileFailure>& failed) {
    QString text =
        count == 1
            ? QStringLiteral("1 file could not be %1.").arg(QLatin1String(what))
            : QStringLiteral("%1 files could not be %2.").arg(count).arg(QLatin1String(what));
    for (const FileFailure& f : failed)
        text += QStringLiteral("\nFile : %1 (%2)").arg(f.path, f.reason);
    return text;
}

} // namespace

QString FileBatchReportText(const FileBatchReport& report) {
    QStringList parts;
    if (!report.notMoved.empty())
        parts << FailureLines(qsizetype(report.notMoved.size()), "moved", report.notMoved);
    if (!report.notDeleted.empty())
        parts << FailureLines(qsizetype(report.notDeleted.size()), "deleted", report.notDeleted);
    return parts.join(QStringLiteral("\n\n"));
}

void ReportFileBatch(const FileBatchReport& report, Prompts& prompts) {
    if (const QString text = FileBatchReportText(report); !text.isEmpty())
        prompts.warning(text);
}

FileBatch::FileBatch(FileBatchProgress* progress, int count)
    : progress_(progress)
    , count_(count) {
    show(0);
}

void FileBatch::show(double fractionOfFile) {
    if (progress_ && count_ > 0)
        progress_->SetPercent(int((done_ + fractionOfFile) * 100 / count_));
}

void FileBatch::Next() {
    ++done_;
    show(0);
}

bool FileBatch::Cancelled() const {
    return progress_ && progress_->CancelRequested();
}

bool FileBatch::Move(const QString& source, const QString& target, QString* error) {
    FileMove move(source, target);
    switch (move.Start()) {
    case FileMove::Step::Done:
        return true;
    case FileMove::Step::Failed:
        *error = move.Error();
        return false;
    case FileMove::Step::NeedsCopy:
        break;
    }

    std::atomic<bool> cancel{false};
    std::atomic<int64_t> copied{0};
    std::atomic<int64_t> total{0};
    bool ok = false;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (Cancelled())
            cancel = true;
        if (const int64_t size = total.load(); size > 0)
            show(double(copied.load()) / double(size));
    });
    std::thread worker([&] {
        ok = move.Copy(
            [&](int64_t done, int64_t size) {
                copied = done;
                total = size;
            },
            &cancel);
        // Runs once the loop below handles events: it has started by then.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    poll.start();
    loop.exec();
    worker.join();
    if (ok)
        ok = move.Finish();
    if (!ok)
        *error = move.Error();
    return ok;
}

} // namespace orvane
