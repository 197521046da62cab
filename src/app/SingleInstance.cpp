#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace orvane {

namespace {
constexpr quint32 kHandOverMagic = 0x4f52564e; // "ORVN", then the list of files
constexpr char kTaken = 'k';                   // the running program's answer

QString SocketPathFor(const QString& programFolder, QString runtimeFolder) {
    if (runtimeFolder.isEmpty())
        runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // The same folder by any path gives the same name, also before a first start has made it:
    // the part that exists is resolved, the rest kept as written.
    QString folder = QDir::cleanPath(QDir(programFolder).absolutePath()), missing;
    QString canonical = QFileInfo(folder).canonicalFilePath();
    while (canonical.isEmpty() && folder.size() > 1) {
        const qsizetype cut = folder.lastIndexOf(u'/');
        missing.prepend(folder.mid(cut));
        folder = cut > 0 ? folder.left(cut) : QStringLiteral("/");
        canonical = QFileInfo(folder).canonicalFilePath();
    }
    folder = QDir::cleanPath(canonical + missing);
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(runtimeFolder).filePath(QStringLiteral("orvane-") + QString::fromLatin1(hash));
}
} // namespace

SingleInstance::SingleInstance(const QString& programFolder, const QString& runtimeFolder,
                               QObject* parent)
    : QObject(parent)
    , socketPath_(SocketPathFor(programFolder, runtimeFolder)) {}

SingleInstance::~SingleInstance() = default;

SingleInstance::Claim SingleInstance::ClaimOrHandOver(const QStringList& files) {
    lock_ = std::make_unique<QLockFile>(socketPath_ + QStringLiteral(".lock"));
    // Only a lock whose process is gone is stale, however long the program has been running.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError) {
        lock_.reset();
        return handOver(files) ? Claim::HandedOver : Claim::NoAnswer;
    }
    // Holding the lock, a socket file still there was left by a program that crashed. Without a
    // lock (none can be made there) nothing is removed that may belong to a running program.
    if (lock_->isLocked())
        QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_))
        qWarning("later starts cannot hand files over: %s", qPrintable(server_->errorString()));
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
            receive(socket);
        }
    });
    return Claim::Running;
}

bool SingleInstance::handOver(const QStringList& files) const {
    // The running program may have taken the lock a moment ago and not be listening yet.
    const QDeadlineTimer deadline(answerWaitMs_);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kHandOverMagic << files;
    socket.write(message);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    // Taken only when the running program says so.
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
}

void SingleInstance::receive(QLocalSocket* socket) {
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_4);
    in.startTransaction();
    quint32 magic = 0;
    QStringList files;
    in >> magic >> files;
    if (!in.commitTransaction())
        return; // the rest has not arrived yet
    if (magic != kHandOverMagic) {
        socket->abort();
        return;
    }
    socket->putChar(kTaken);
    socket->flush();
    // Told once the socket's own signal has returned: a receiver may run an event loop of its
    // own (a message box), in which the later start ends and its socket is deleted.
    QMetaObject::invokeMethod(
        this, [this, files] { emit FilesReceived(files); }, Qt::QueuedConnection);
}

QStringList AbsoluteFileArguments(const QStringList& arguments, const QString& folder) {
    QStringList files;
    const QDir base(folder);
    for (const QString& argument : arguments) {
        const QUrl url(argument);
        const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
        files.append(QDir::cleanPath(base.absoluteFilePath(path)));
    }
    return files;
}

} // namespace orvane
