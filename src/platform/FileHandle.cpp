#include "platform/FileHandle.h"

#include <QFile>

namespace orvane {

UniqueFile OpenFile(const QString& path, const char* mode) {
#ifdef _WIN32
    return UniqueFile(_wfopen(reinterpret_cast<const wchar_t*>(path.utf16()),
                              QString::fromLatin1(mode).toStdWString().c_str()));
#else
    return UniqueFile(std::fopen(QFile::encodeName(path).constData(), mode));
#endif
}

} // namespace orvane
