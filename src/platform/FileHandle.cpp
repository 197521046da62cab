#include "platform/FileHandle.h"

#include <QFile>
#include <cerrno>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace orvane {

UniqueFile OpenFile(const QString& path, const char* mode) {
#ifdef _WIN32
    return UniqueFile(_wfopen(reinterpret_cast<const wchar_t*>(path.utf16()),
                              QString::fromLatin1(mode).toStdWString().c_str()));
#else
    return UniqueFile(std::fopen(QFile::encodeName(path).constData(), mode));
#endif
}

int FlushFileToDisk(const QString& path) {
    const UniqueFile file = OpenFile(path, "rb");
    if (!file)
        return errno != 0 ? errno : EIO;
    return FlushDescriptorToDisk(fileno(file.get()));
}

int FlushDescriptorToDisk(int fd) {
#ifdef _WIN32
    const int flushed = _commit(fd);
#else
    const int flushed = ::fsync(fd);
#endif
    return flushed == 0 ? 0 : errno;
}

} // namespace orvane
