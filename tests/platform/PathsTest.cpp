#include "platform/Paths.h"
#include "platform/AsciiCase.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

TEST(Paths, SplitAtTheLastSeparatorOfEitherKind) {
    // Each path with its folder and name parts.
    const QStringList cases = {u"/d/e/f.mp3"_s, u"/d/e/"_s, u"f.mp3"_s, u"D:\\MP3\\x.mp3"_s,
                               u"D:\\MP3\\"_s,  u"x.mp3"_s, u"x.mp3"_s, u""_s,
                               u"x.mp3"_s,      u"/d/e/"_s, u"/d/e/"_s, u""_s};
    for (qsizetype i = 0; i < cases.size(); i += 3)
        EXPECT_EQ(FolderPart(cases[i]) + u'|' + FileNamePart(cases[i]),
                  cases[i + 1] + u'|' + cases[i + 2]);
}

TEST(Paths, TrailingSeparatorAddedOnce) {
    EXPECT_EQ(WithTrailingSeparator(u"/m"_s), u"/m/");
    EXPECT_EQ(WithTrailingSeparator(u"/m/"_s), u"/m/");
    EXPECT_EQ(WithTrailingSeparator(u"D:\\m\\"_s), u"D:\\m\\");
    EXPECT_TRUE(HasTrailingSeparator(u"D:\\"_s));
    EXPECT_FALSE(HasTrailingSeparator(QString()));
}

TEST(Paths, ProgramFolderFollowsTheEnvironment) {
    qputenv("ORVANE_HOME", "/tmp/orvane-home");
    EXPECT_EQ(ProgramFolder(), u"/tmp/orvane-home/");
    qunsetenv("ORVANE_HOME");
}

TEST(AsciiCase, OnlyAsciiLettersAreFolded) {
    EXPECT_EQ(AsciiUpper(u"abc-äöü-ß"_s), u"ABC-äöü-ß"_s);
    EXPECT_TRUE(SameTextNoCase(u"Local.ORV"_s, u"local.orv"_s));
    EXPECT_FALSE(SameTextNoCase(u"ä"_s, u"Ä"_s));
}

} // namespace
} // namespace orvane
