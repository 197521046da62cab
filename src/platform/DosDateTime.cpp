#include "platform/DosDateTime.h"

namespace orvane {

uint32_t PackDosDateTime(const QDateTime& local) {
    if (!local.isValid())
        return 0;
    QDate d = local.date();
    QTime t = local.time();
    if (d.year() < 1980) {
        d = QDate(1980, 1, 1);
        t = QTime(0, 0);
    } else if (d.year() > 2107) {
        d = QDate(2107, 12, 31);
        t = QTime(23, 59, 58);
    }
    const uint32_t date = uint32_t(d.year() - 1980) << 9 | uint32_t(d.month()) << 5 | d.day();
    const uint32_t time = uint32_t(t.hour()) << 11 | uint32_t(t.minute()) << 5 | t.second() / 2;
    return date << 16 | time;
}

QDateTime UnpackDosDateTime(uint32_t packed) {
    if (packed == 0)
        return {};
    const uint32_t date = packed >> 16;
    const uint32_t time = packed & 0xFFFF;
    const QDate d(int(date >> 9) + 1980, int(date >> 5 & 0x0F), int(date & 0x1F));
    const QTime t(int(time >> 11), int(time >> 5 & 0x3F), int(time & 0x1F) * 2);
    return QDateTime(d, t);
}

} // namespace orvane
