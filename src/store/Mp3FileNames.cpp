#include "store/Mp3FileNames.h"

#include "platform/AsciiCase.h"

namespace orvane {

bool IsMp3FileName(const QString& name) {
    const QString upper = AsciiUpper(name);
    return (upper.contains(u".MP2") || upper.contains(u".MP3") || upper.contains(u".MP4")) &&
           !IsScratchFileName(name);
}

bool IsScratchFileName(const QString& name) {
    if (name.endsWith(u".wav.part"))
        return true;
    constexpr qsizetype kPartSuffix = 12; // ".part-" and mkstemp's six characters
    return name.startsWith(u'.') && (name.endsWith(u".orvane-tag") ||
                                     (name.size() > kPartSuffix &&
                                      QStringView(name).right(kPartSuffix).startsWith(u".part-")));
}

} // namespace orvane
