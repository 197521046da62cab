#pragma once
// One running Orvane per program folder. The first start takes a lock file and listens on a
// local socket, both in the user's runtime folder ($XDG_RUNTIME_DIR) and named after the
// program folder; a later start with the same program folder connects to that socket, hands over
// the files it was given and ends, so that no two programs write the same working files. A lock
// left by a program that crashed belongs to a process that no longer exists and is taken over,
// and its socket file is replaced.
//
// GUI thread only; the hand-over of a later start blocks it for a few seconds at most.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace orvane {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        Running,    // this is the one program for the folder: FilesReceived tells what arrives
        HandedOver, // another one runs and has taken the files
        NoAnswer,   // another one runs but did not take the files
    };

    // runtimeFolder empty: the user's runtime folder.
    explicit SingleInstance(const QString& programFolder, const QString& runtimeFolder = {},
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running program for the folder, or hands files (absolute paths) to it.
    Claim ClaimOrHandOver(const QStringList& files);
    // How long a later start waits for the running one to take its files (10 s).
    void SetAnswerWait(int milliseconds) { answerWaitMs_ = milliseconds; }
    // The socket's path; the lock file is beside it with ".lock" appended.
    const QString& SocketPath() const { return socketPath_; }

signals:
    // Files handed over by a later start, in the order given; empty when it was started without
    // files (the window should come forward).
    void FilesReceived(const QStringList& files);

private:
    bool handOver(const QStringList& files) const;
    void receive(QLocalSocket* socket);

    QString socketPath_;
    int answerWaitMs_ = 10000;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr; // a child of this object
};

// Command-line arguments as absolute file paths: relative ones against folder, "file:" URLs as
// their local files.
QStringList AbsoluteFileArguments(const QStringList& arguments, const QString& folder);

} // namespace orvane
