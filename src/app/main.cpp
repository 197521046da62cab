// Orvane: the program entry.

#include "app/Program.h"
#include "app/SignalBridge.h"
#include "browser/DialogPrompts.h"
#include "platform/Paths.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSessionManager>

int main(int argc, char* argv[]) {
    // The net browser's web engine shares its drawing contexts; set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("MP3 collection manager and player"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the main window once started, then quit."),
        QStringLiteral("file"));
    options.addOption(screenshot);
    options.process(app);

    orvane::DialogPrompts prompts;
    const std::unique_ptr<orvane::Registry> registry = orvane::OpenUserRegistry();
    orvane::Program program(prompts, *registry, orvane::ProgramFolder());
    prompts.SetParent(&program.MainWindow());

    // Stopping from outside, and the end of the desktop session, end the program as closing
    // its window does, so nothing is lost.
    orvane::SignalBridge signalBridge;
    QObject::connect(&signalBridge, &orvane::SignalBridge::TerminationRequested, &program,
                     &orvane::Program::RequestShutdown);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &program,
                     [&program](QSessionManager&) { program.RequestShutdown(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &program,
                     &orvane::Program::RequestShutdown);

    if (options.isSet(screenshot)) {
        const QString file = options.value(screenshot);
        QObject::connect(&program, &orvane::Program::StartupFinished, &program, [&program, file] {
            if (!program.MainWindow().grab().save(file))
                qWarning("could not save the picture of the main window");
            program.RequestShutdown();
        });
    }

    program.Show();
    return QApplication::exec();
}
