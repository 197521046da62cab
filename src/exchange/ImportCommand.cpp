#include "exchange/ImportCommand.h"

#include "exchange/ImportedCollections.h"
#include "exchange/TfrmImport.h"
#include "platform/Prompts.h"

#include <QDir>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <mutex>

namespace orvane {

namespace {

constexpr int kLabelWidth = 420;

// What the walking thread tells the progress window; read by a timer on the GUI thread.
struct WalkState {
    std::atomic<bool> cancel{false};
    std::atomic<qsizetype> files{0};
    std::mutex mutex;
    QString folder; // guarded by mutex
};

ImportReport RunWithProgress(QWidget* parent, const QString& libFolder,
                             const ImportChoice& choice) {
    WalkState state;
    ImportWalkControl control;
    control.stopRequested = [&state] {
        return state.cancel.load();
    };
    control.progress = [&state](qsizetype files, const QString& folder) {
        state.files = files;
        const std::lock_guard lock(state.mutex);
        state.folder = folder;
    };
    ImportReport report;
    std::unique_ptr<QThread> worker(QThread::create(
        [&] { report = ImportCollectionInto(libFolder, choice.folder, choice.name, control); }));
    worker->setObjectName(QStringLiteral("ImportWalk"));

    QProgressDialog progress(parent);
    progress.setObjectName(QStringLiteral("frmImportProgress"));
    progress.setWindowTitle(QStringLiteral("Importing collection"));
    auto* label = new QLabel(&progress);
    label->setTextFormat(Qt::PlainText); // folder names are never read as markup
    // Two lines of a fixed width: a long folder is shortened in its middle rather than wrapped,
    // so the window never grows or cuts a line off while the walk runs.
    label->setFixedWidth(kLabelWidth);
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * 2 + 4);
    progress.setLabel(label);
    progress.setRange(0, 0);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setWindowModality(Qt::ApplicationModal);
    const auto show = [&] {
        QString folder;
        {
            const std::lock_guard lock(state.mutex);
            folder = state.folder;
        }
        const QString reading = QStringLiteral("Reading: ");
        const QFontMetrics metrics = label->fontMetrics();
        label->setText(QStringLiteral("Files read: %1\n").arg(state.files.load()) + reading +
                       metrics.elidedText(QDir::toNativeSeparators(folder), Qt::ElideMiddle,
                                          kLabelWidth - metrics.horizontalAdvance(reading) - 8));
    };
    show();
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
        state.cancel = true;
        label->setText(QStringLiteral("Cancelling..."));
    });
    QTimer timer;
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, &progress, [&] {
        if (!state.cancel)
            show();
    });
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    progress.show();
    timer.start();
    if (!worker->isFinished())
        loop.exec();
    worker->wait();
    return report;
}

} // namespace

std::optional<ImportReport> ImportCollection(QWidget* parent, const QString& programFolder,
                                             Prompts& prompts, const ChooseImport& choose) {
    const QString libFolder = LibFolder(programFolder);
    if (!EnsureLibFolder(libFolder)) {
        prompts.warning(kLibFolderUnusable);
        return std::nullopt;
    }
    std::optional<ImportChoice> choice;
    if (choose) {
        choice = choose();
    } else {
        TfrmImport dialog(prompts, parent);
        if (dialog.exec() == QDialog::Accepted)
            choice = ImportChoice{dialog.SelectedFolder(), dialog.LocationName()};
    }
    if (!choice)
        return std::nullopt;
    const ImportReport report = RunWithProgress(parent, libFolder, *choice);
    const QString text = ImportReportText(report, choice->folder, choice->name);
    if (report.outcome == ImportOutcome::Written)
        prompts.information(text);
    else if (!text.isEmpty())
        prompts.warning(text);
    return report;
}

} // namespace orvane
