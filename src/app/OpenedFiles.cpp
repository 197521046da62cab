#include "app/OpenedFiles.h"

#include "app/Lifecycle.h"
#include "app/Program.h"
#include "playlists/OpenedFileRows.h"

namespace orvane {

OpenedFiles::OpenedFiles(Program& program, Prompts& prompts, QObject* parent)
    : QObject(parent)
    , program_(program)
    , prompts_(prompts) {
    connect(&program_, &Program::StartupFinished, this, [this] {
        if (!waiting_.isEmpty())
            openNow(std::exchange(waiting_, {}));
    });
}

void OpenedFiles::Open(const QStringList& paths) {
    if (!program_.State().Started) {
        waiting_.append(paths);
        return;
    }
    TfrmMain& window = program_.MainWindow();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
    if (!paths.isEmpty())
        openNow(paths);
}

void OpenedFiles::openNow(const QStringList& paths) {
    TMPEGAudio info;
    const OpenedFileRows opened = RowsForOpenedFiles(paths, info);
    program_.Player().AddToQueueCommand(opened.Rows);
    qCInfo(lcLifecycle, "opened files: %d songs queued", int(opened.Rows.size()));
    if (!opened.Refused.isEmpty())
        prompts_.warning(QStringLiteral("Orvane cannot play these files:\n") +
                         opened.Refused.join(u'\n'));
}

} // namespace orvane
