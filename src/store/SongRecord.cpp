#include "store/SongRecord.h"

#include "platform/AsciiCase.h"
#include "platform/Paths.h"

namespace orvane {

QString SongRecord::Path() const {
    return WithTrailingSeparator(Folder) + FileName;
}

bool SongRecord::IsExternal() const {
    return AsciiUpper(Folder).contains(kImportMarker);
}

QString DurationText(uint32_t seconds) {
    const uint32_t minutes = seconds / 60 % 60;
    const uint32_t secs = seconds % 60;
    QString text(5, u'0');
    text[0] = QChar(u'0' + minutes / 10);
    text[1] = QChar(u'0' + minutes % 10);
    text[2] = u':';
    text[3] = QChar(u'0' + secs / 10);
    text[4] = QChar(u'0' + secs % 10);
    return text;
}

} // namespace orvane
