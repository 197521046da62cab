#include "browser/TitleFit.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

int TenPerChar(const QString& s) {
    return int(s.size()) * 10;
}

// Dots are narrow, as in most fonts, so that every cut can be told apart.
int NarrowDots(const QString& s) {
    return int(s.size() - s.count(u'.')) * 10 + int(s.count(u'.'));
}

TEST(TitleFit, CutsStepByStepDownToDots) {
    const QString title = QStringLiteral("Albums of mine"); // 14 characters, 140 wide
    EXPECT_EQ(FitTitleText(title, NarrowDots, 140), title);
    // The first cut drops two characters, each further one a character more.
    EXPECT_EQ(FitTitleText(title, NarrowDots, 139), QStringLiteral("Albums of mi..."));
    EXPECT_EQ(FitTitleText(title, NarrowDots, 122), QStringLiteral("Albums of m..."));
    EXPECT_EQ(FitTitleText(title, NarrowDots, 40), QStringLiteral("Alb..."));
    EXPECT_EQ(FitTitleText(title, NarrowDots, 3), QStringLiteral("..."));
    // When nothing fits, the shortest form is taken anyway.
    EXPECT_EQ(FitTitleText(title, NarrowDots, 2), QStringLiteral("..."));
    EXPECT_EQ(FitTitleText(title, TenPerChar, 139), QStringLiteral("Albums of ..."));
    EXPECT_EQ(FitTitleText(QString(), TenPerChar, 0), QString());
}

TEST(TitleFit, OnlyTheFirstAmpersandIsDoubled) {
    EXPECT_EQ(FitTitleText(QStringLiteral("Rock & Roll & Co"), TenPerChar, 1000),
              QStringLiteral("Rock && Roll & Co"));
    EXPECT_EQ(EscapeFirstAmpersand(QStringLiteral("&")), QStringLiteral("&&"));
    EXPECT_EQ(EscapeFirstAmpersand(QStringLiteral("none")), QStringLiteral("none"));
    // The doubled text is what gets measured and cut.
    EXPECT_EQ(FitTitleText(QStringLiteral("A&BCD"), TenPerChar, 50), QStringLiteral("A&..."));
}

} // namespace
} // namespace orvane
