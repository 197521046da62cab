// Orvane: the program entry.

#include "app/OpenedFiles.h"
#include "app/Program.h"
#include "app/SignalBridge.h"
#include "app/SingleInstance.h"
#include "browser/DialogPrompts.h"
#include "platform/Paths.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QSessionManager>
#include <cstdio>

namespace {

// True when the arguments ask for the help or the version.
bool AsksForHelpOrVersion(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "-h" || argument == "--help" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

// Prints the help or the version, or what is wrong with the arguments; the program's exit code.
int ShowHelpOrVersion(QCommandLineParser& options, const QCommandLineOption& version,
                      const QStringList& arguments) {
    if (!options.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(options.errorText()));
        return 1;
    }
    const QString text = options.isSet(version) ? QCoreApplication::applicationName() + u' ' +
                                                      QCoreApplication::applicationVersion() + u'\n'
                                                : options.helpText();
    std::fputs(qPrintable(text), stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("orvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("MP3 collection manager and player"));
    options.addHelpOption();
    const QCommandLineOption version = options.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the main window once started, then quit."),
        QStringLiteral("file"));
    options.addOption(screenshot);
    options.addPositionalArgument(
        QStringLiteral("files"),
        QStringLiteral("MP3 files or M3U playlists to add to the playing songs; when Orvane "
                       "already runs with the same working folder, they are handed to it."),
        QStringLiteral("[FILE...]"));

    // The help and the version need no display (a terminal, a check after installing).
    if (AsksForHelpOrVersion(argc, argv)) {
        const QCoreApplication core(argc, argv);
        return ShowHelpOrVersion(options, version, QCoreApplication::arguments());
    }

    // The net browser's web engine shares its drawing contexts; set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    options.process(app);

    orvane::DialogPrompts prompts;
    const QString programFolder = orvane::ProgramFolder();
    const QStringList files =
        orvane::AbsoluteFileArguments(options.positionalArguments(), QDir::currentPath());
    // One program per working folder: a later start hands its files to the one running.
    orvane::SingleInstance instance(programFolder);
    switch (instance.ClaimOrHandOver(files)) {
    case orvane::SingleInstance::Claim::Running:
        break;
    case orvane::SingleInstance::Claim::HandedOver:
        if (!options.isSet(screenshot))
            return 0;
        qWarning("Orvane already runs with the working folder %s; no picture was saved.",
                 qPrintable(programFolder));
        return 1;
    case orvane::SingleInstance::Claim::NoAnswer:
        prompts.error(QStringLiteral("Orvane is already running with the working folder\n%1\n"
                                     "but it does not answer, so it was not started again.")
                          .arg(programFolder));
        return 1;
    }

    const std::unique_ptr<orvane::Registry> registry = orvane::OpenUserRegistry();
    orvane::Program program(prompts, *registry, programFolder);
    prompts.SetParent(&program.MainWindow());
    orvane::OpenedFiles opened(program, prompts);
    QObject::connect(&instance, &orvane::SingleInstance::FilesReceived, &opened,
                     &orvane::OpenedFiles::Open);

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
    if (!files.isEmpty())
        opened.Open(files);
    return QApplication::exec();
}
