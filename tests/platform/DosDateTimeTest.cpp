#include "platform/DosDateTime.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(DosDateTime, PacksToTwoSecondStepsAndBack) {
    const QDateTime t(QDate(2024, 2, 29), QTime(23, 59, 59));
    const uint32_t packed = PackDosDateTime(t);
    EXPECT_EQ(packed >> 16, uint32_t(44 << 9 | 2 << 5 | 29));
    EXPECT_EQ(UnpackDosDateTime(packed), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
}

TEST(DosDateTime, DatesOutsideTheRangeAreClampedNotLost) {
    EXPECT_EQ(UnpackDosDateTime(PackDosDateTime(QDateTime(QDate(1970, 1, 1), QTime(0, 0)))),
              QDateTime(QDate(1980, 1, 1), QTime(0, 0)));
    EXPECT_NE(PackDosDateTime(QDateTime(QDate(1970, 1, 1), QTime(0, 0))), 0u);
    EXPECT_EQ(UnpackDosDateTime(PackDosDateTime(QDateTime(QDate(2200, 5, 1), QTime(1, 2)))),
              QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58)));
    EXPECT_EQ(PackDosDateTime(QDateTime()), 0u);
    EXPECT_FALSE(UnpackDosDateTime(0).isValid());
}

} // namespace
} // namespace orvane
