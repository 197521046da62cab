#include "platform/FileMoves.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvane {

namespace {

std::atomic<bool> gSimulateCrossDevice{false};

QString SystemReason(int code) {
    char buffer[256];
    // The GNU strerror_r: thread-safe, returns the text (not always in buffer).
    return QString::fromLocal8Bit(strerror_r(code, buffer, sizeof buffer));
}

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// A descriptor closed when its owner goes.
class Fd {
public:
    explicit Fd(int fd = -1)
        : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes now; a failure to write back what was buffered shows here.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// rename that fails with EEXIST when the target exists. File systems without the no-replace
// flag get a look first (not atomic, but the best they allow).
int RenameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    struct stat st;
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

QString FolderOf(const QString& path) {
    const qsizetype cut = path.lastIndexOf(u'/');
    return cut < 0 ? QStringLiteral(".") : path.left(cut + 1);
}

QString NameOf(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

void SyncFolder(const QString& folder) {
    Fd dir(::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir)
        ::fsync(dir.get());
}

} // namespace

void SimulateCrossDeviceRenames(bool on) {
    gSimulateCrossDevice = on;
}

FileMove::FileMove(QString source, QString target)
    : source_(std::move(source))
    , target_(std::move(target)) {}

FileMove::~FileMove() {
    if (!part_.isEmpty())
        ::unlink(Native(part_).constData());
}

bool FileMove::fail(const QString& reason) {
    error_ = reason;
    if (!part_.isEmpty() && !copied_) {
        ::unlink(Native(part_).constData());
        part_.clear();
    }
    return false;
}

FileMove::Step FileMove::Start() {
    int code = 0;
    if (gSimulateCrossDevice && FolderOf(source_) != FolderOf(target_))
        code = EXDEV;
    else
        code = RenameNoReplace(Native(source_), Native(target_));
    if (code == 0)
        return Step::Done;
    if (code == EXDEV)
        return Step::NeedsCopy;
    fail(SystemReason(code));
    return Step::Failed;
}

bool FileMove::Copy(const CopyProgress& progress, const std::atomic<bool>* cancel) {
    Fd in(::open(Native(source_).constData(), O_RDONLY | O_CLOEXEC));
    if (!in)
        return fail(SystemReason(errno));
    struct stat st;
    if (::fstat(in.get(), &st) != 0)
        return fail(SystemReason(errno));
    if (!S_ISREG(st.st_mode))
        return fail(SystemReason(EISDIR));
    {
        struct stat existing;
        if (::lstat(Native(target_).constData(), &existing) == 0)
            return fail(SystemReason(EEXIST));
    }
    QByteArray name =
        Native(FolderOf(target_) + u'.' + NameOf(target_) + QStringLiteral(".part-XXXXXX"));
    Fd out(::mkostemp(name.data(), O_CLOEXEC));
    if (!out && errno == ENAMETOOLONG) { // a name near the limit: the part file gets a short one
        name = Native(FolderOf(target_) + QStringLiteral(".orvane-part-XXXXXX"));
        out.reset(::mkostemp(name.data(), O_CLOEXEC));
    }
    if (!out)
        return fail(SystemReason(errno));
    part_ = QFile::decodeName(name);

    const int64_t total = st.st_size;
    int64_t done = 0;
    std::vector<char> buffer(size_t(1) << 20);
    for (;;) {
        if (cancel && cancel->load())
            return fail(QStringLiteral("Cancelled"));
        const ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(SystemReason(errno));
        }
        if (n == 0)
            break;
        if (!WriteAll(out.get(), buffer.data(), size_t(n)))
            return fail(SystemReason(errno));
        done += n;
        if (progress)
            progress(done, total);
    }
    struct stat copied;
    if (::fstat(out.get(), &copied) != 0)
        return fail(SystemReason(errno));
    if (done != total || copied.st_size != total)
        return fail(QStringLiteral("The copy's size differs from the file's (%1 of %2 bytes)")
                        .arg(copied.st_size)
                        .arg(total));
    // The date tells the time filters when the song changed; a move must not make it new.
    // Permissions and dates are kept where the target file system can hold them.
    ::fchmod(out.get(), st.st_mode & 07777);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out.get(), times);
    if (::fsync(out.get()) != 0 || !out.close())
        return fail(SystemReason(errno));
    copied_ = true;
    return true;
}

bool FileMove::Finish() {
    if (!copied_)
        return fail(QStringLiteral("Nothing was copied"));
    if (const int code = RenameNoReplace(Native(part_), Native(target_)); code != 0)
        return fail(SystemReason(code)); // the destructor removes the part file
    part_.clear();
    copied_ = false;
    SyncFolder(FolderOf(target_));
    if (::unlink(Native(source_).constData()) != 0) {
        const int code = errno;
        ::unlink(Native(target_).constData());
        return fail(SystemReason(code));
    }
    return true;
}

bool MoveSongFile(const QString& source, const QString& target, QString* error) {
    FileMove move(source, target);
    bool moved = false;
    switch (move.Start()) {
    case FileMove::Step::Done:
        return true;
    case FileMove::Step::Failed:
        break;
    case FileMove::Step::NeedsCopy:
        moved = move.Copy() && move.Finish();
        break;
    }
    if (!moved && error)
        *error = move.Error();
    return moved;
}

bool DeleteSongFile(const QString& path, QString* error) {
    const QByteArray native = Native(path);
    struct stat st;
    int code = 0;
    if (::lstat(native.constData(), &st) != 0)
        code = errno;
    else if (S_ISDIR(st.st_mode))
        code = EISDIR;
    else if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) {
        if (error)
            *error = QStringLiteral("The file is write-protected");
        return false;
    } else if (::unlink(native.constData()) != 0)
        code = errno;
    if (code != 0 && error)
        *error = SystemReason(code);
    return code == 0;
}

bool SameFolderOnDisk(const QString& a, const QString& b) {
    struct stat sa, sb;
    return ::stat(Native(a).constData(), &sa) == 0 && ::stat(Native(b).constData(), &sb) == 0 &&
           S_ISDIR(sa.st_mode) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace orvane
