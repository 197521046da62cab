#include "durability/WriteFaults.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace orvane::test {
namespace {

std::atomic<WriteFault> gFault{WriteFault::Off};
std::atomic<int64_t> gBudget{0};
std::atomic<int64_t> gSteps{0};
std::atomic<int64_t> gBytes{0};
std::atomic<int64_t> gUnflushedRenames{0};

// The files (device, inode) written to since their last successful flush. Writers may run on
// other threads than the one that renames.
std::mutex gUnflushedLock;
std::set<std::pair<dev_t, ino_t>> gUnflushed;

void MarkUnflushed(const struct stat& st, bool unflushed) {
    const std::lock_guard lock(gUnflushedLock);
    if (unflushed)
        gUnflushed.insert({st.st_dev, st.st_ino});
    else
        gUnflushed.erase({st.st_dev, st.st_ino});
}

// Before a rename: counts it when the file being renamed holds bytes not flushed to disk.
void CheckFlushedBeforeRename(int dir, const char* from) {
    struct stat st {};
    if (gFault.load() == WriteFault::Off || ::fstatat(dir, from, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    const std::lock_guard lock(gUnflushedLock);
    if (gUnflushed.contains({st.st_dev, st.st_ino}))
        ++gUnflushedRenames;
}

template <typename Fn> Fn Next(const char* name) {
    return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

// How many of size bytes may be written now; kills the process when the budget ends inside
// them (after letting the part that fits reach the file through write).
// A full disk refuses only bytes that need new space: those past the file's end. at is the
// write's offset, -1 for the descriptor's own.
bool NeedsSpace(int fd, off_t at, size_t size, const struct stat& st) {
    if (at < 0)
        at = (::fcntl(fd, F_GETFL) & O_APPEND) ? st.st_size : ::lseek(fd, 0, SEEK_CUR);
    return at < 0 || at + off_t(size) > st.st_size;
}

template <typename WriteSome> ssize_t Guarded(int fd, off_t at, size_t size, WriteSome writeSome) {
    const WriteFault fault = gFault.load();
    struct stat st {};
    if (fault == WriteFault::Off || size == 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return writeSome(size);
    MarkUnflushed(st, true);
    if (fault == WriteFault::SyncFails)
        return writeSome(size);
    const bool needsSpace = NeedsSpace(fd, at, size, st);
    if (fault == WriteFault::NoSpace && !needsSpace)
        return writeSome(size);
    // A full disk is a matter of bytes; a kill may also come between two other steps.
    const int64_t used = fault == WriteFault::NoSpace ? gBytes.load() : gSteps.load();
    const auto counted = [needsSpace](ssize_t n) {
        if (n > 0) {
            gSteps += n;
            if (needsSpace)
                gBytes += n;
        }
        return n;
    };
    if (fault == WriteFault::Count || used + int64_t(size) <= gBudget)
        return counted(writeSome(size));
    const size_t fits = size_t(std::max<int64_t>(0, gBudget - used));
    const ssize_t n = fits > 0 ? counted(writeSome(fits)) : 0;
    // A copy asks for more than its source holds (sendfile is called for 2 GB at a time): when
    // fewer bytes than fit came, the budget is not used up yet.
    if (fits > 0 && (n < 0 || size_t(n) < fits))
        return n;
    if (fault == WriteFault::Kill)
        ::raise(SIGKILL);
    if (n > 0)
        return n;
    errno = ENOSPC;
    return -1;
}

// One step for an operation that changes the file system's names or flushes: killed before it
// when the budget is used up.
void Step() {
    const WriteFault fault = gFault.load();
    if (fault == WriteFault::Off || fault == WriteFault::NoSpace || fault == WriteFault::SyncFails)
        return;
    if (fault == WriteFault::Kill && gSteps.load() + 1 > gBudget)
        ::raise(SIGKILL);
    ++gSteps;
}

// A flush of fd: one step, or under SyncFails one of the flushes counted there.
int Flush(int fd, int (*real)(int)) {
    const WriteFault fault = gFault.load();
    if (fault == WriteFault::SyncFails && ++gSteps > gBudget) {
        errno = EIO;
        return -1;
    }
    if (fault != WriteFault::SyncFails)
        Step();
    const int result = real(fd);
    struct stat st {};
    if (result == 0 && fault != WriteFault::Off && ::fstat(fd, &st) == 0)
        MarkUnflushed(st, false);
    return result;
}

} // namespace

void ArmWriteFault(WriteFault fault, int64_t budget) {
    gSteps = 0;
    gBytes = 0;
    gUnflushedRenames = 0;
    {
        const std::lock_guard lock(gUnflushedLock);
        gUnflushed.clear();
    }
    gBudget = budget;
    gFault = fault;
}

int64_t WriteFaultSteps() {
    return gSteps.load();
}

int64_t WriteFaultBytes() {
    return gBytes.load();
}

int64_t WriteFaultUnflushedRenames() {
    return gUnflushedRenames.load();
}

} // namespace orvane::test

using orvane::test::CheckFlushedBeforeRename;
using orvane::test::Flush;
using orvane::test::Guarded;
using orvane::test::Next;
using orvane::test::Step;

extern "C" {

ssize_t write(int fd, const void* data, size_t size) {
    static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
    return Guarded(fd, -1, size, [&](size_t n) { return real(fd, data, n); });
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t at) {
    static const auto real = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    return Guarded(fd, off_t(at), size, [&](size_t n) { return real(fd, data, n, at); });
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t at) {
    static const auto real = Next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    return Guarded(fd, off_t(at), size, [&](size_t n) { return real(fd, data, n, at); });
}

// QFile::copy copies with sendfile.
ssize_t sendfile(int out, int in, off_t* from, size_t size) {
    static const auto real = Next<ssize_t (*)(int, int, off_t*, size_t)>("sendfile");
    return Guarded(out, -1, size, [&](size_t n) { return real(out, in, from, n); });
}

ssize_t sendfile64(int out, int in, off64_t* from, size_t size) {
    static const auto real = Next<ssize_t (*)(int, int, off64_t*, size_t)>("sendfile64");
    return Guarded(out, -1, size, [&](size_t n) { return real(out, in, from, n); });
}

ssize_t copy_file_range(int in, off64_t* from, int out, off64_t* to, size_t size, unsigned flags) {
    static const auto real =
        Next<ssize_t (*)(int, off64_t*, int, off64_t*, size_t, unsigned)>("copy_file_range");
    return Guarded(out, to ? off_t(*to) : -1, size,
                   [&](size_t n) { return real(in, from, out, to, n, flags); });
}

// TagLib writes through stdio, whose own writes do not come through write above. The stream's
// buffer is flushed first, so that its position and the file's size are the descriptor's; the
// bytes then go through the buffer again and are flushed at once when the fault cuts them.
size_t fwrite(const void* data, size_t itemSize, size_t count, FILE* stream) {
    static const auto real = Next<size_t (*)(const void*, size_t, size_t, FILE*)>("fwrite");
    if (orvane::test::gFault.load() == orvane::test::WriteFault::Off || itemSize == 0)
        return real(data, itemSize, count, stream);
    if (std::fflush(stream) != 0)
        return 0;
    const off_t at = ::ftello(stream);
    const ssize_t n = Guarded(::fileno(stream), at, itemSize * count, [&](size_t bytes) {
        const size_t written = real(data, 1, bytes, stream);
        return std::fflush(stream) == 0 ? ssize_t(written) : -1;
    });
    return n < 0 ? 0 : size_t(n) / itemSize;
}

int fsync(int fd) {
    static const auto real = Next<int (*)(int)>("fsync");
    return Flush(fd, real);
}

int fdatasync(int fd) {
    static const auto real = Next<int (*)(int)>("fdatasync");
    return Flush(fd, real);
}

int rename(const char* from, const char* to) {
    static const auto real = Next<int (*)(const char*, const char*)>("rename");
    CheckFlushedBeforeRename(AT_FDCWD, from);
    Step();
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    static const auto real = Next<int (*)(int, const char*, int, const char*)>("renameat");
    CheckFlushedBeforeRename(fromDir, from);
    Step();
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    static const auto real =
        Next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    CheckFlushedBeforeRename(fromDir, from);
    Step();
    return real(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    static const auto real = Next<int (*)(int, const char*, int, const char*, int)>("linkat");
    Step();
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char* path) {
    static const auto real = Next<int (*)(const char*)>("unlink");
    Step();
    return real(path);
}

} // extern "C"
