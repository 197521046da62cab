#include "store/Mp3FileNames.h"

#include "platform/AsciiCase.h"

namespace orvane {

bool IsMp3FileName(const QString& name) {
    const QString upper = AsciiUpper(name);
    return upper.contains(u".MP2") || upper.contains(u".MP3") || upper.contains(u".MP4");
}

} // namespace orvane
