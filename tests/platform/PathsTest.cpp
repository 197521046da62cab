#include "platform/Paths.h"
#include "platform/AsciiCase.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

TEST(Paths, SplitAtTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FileNamePart(u"/d/e/f.mp3"_s), u"f.mp3");
    EXPECT_EQ(FolderPart(u"/d/e/f.mp3"_s), u"/d/e/");
    EXPECT_EQ(FileNamePart(u"D:\\MP3\\x.mp3"_s), u"x.mp3");
    EXPECT_EQ(FolderPart(u"D:\\MP3\\x.mp3"_s), u"D:\\MP3\\");
    EXPECT_EQ(FileNamePart(u"x.mp3"_s), u"x.mp3");
    EXPECT_EQ(FolderPart(u"x.mp3"_s), u"");
    EXPECT_EQ(FileNamePart(u"/d/e/"_s), u"");
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
