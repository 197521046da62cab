#include "platform/Paths.h"
#include "platform/AsciiCase.h"

#include <QDir>
#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(Paths, SplitAtTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FileNamePart(QStringLiteral("/d/e/f.mp3")), u"f.mp3");
    EXPECT_EQ(FolderPart(QStringLiteral("/d/e/f.mp3")), u"/d/e/");
    EXPECT_EQ(FileNamePart(QStringLiteral("D:\\MP3\\x.mp3")), u"x.mp3");
    EXPECT_EQ(FolderPart(QStringLiteral("D:\\MP3\\x.mp3")), u"D:\\MP3\\");
    EXPECT_EQ(FileNamePart(QStringLiteral("x.mp3")), u"x.mp3");
    EXPECT_EQ(FolderPart(QStringLiteral("x.mp3")), u"");
    EXPECT_EQ(FileNamePart(QStringLiteral("/d/e/")), u"");
}

TEST(Paths, TrailingSeparatorAddedOnce) {
    EXPECT_EQ(WithTrailingSeparator(QStringLiteral("/m")), u"/m/");
    EXPECT_EQ(WithTrailingSeparator(QStringLiteral("/m/")), u"/m/");
    EXPECT_EQ(WithTrailingSeparator(QStringLiteral("D:\\m\\")), u"D:\\m\\");
    EXPECT_TRUE(HasTrailingSeparator(QStringLiteral("D:\\")));
    EXPECT_FALSE(HasTrailingSeparator(QString()));
}

TEST(Paths, ProgramFolderFollowsTheEnvironment) {
    qputenv("ORVANE_HOME", "/tmp/orvane-home");
    EXPECT_EQ(ProgramFolder(), u"/tmp/orvane-home/");
    qunsetenv("ORVANE_HOME");
}

TEST(AsciiCase, OnlyAsciiLettersAreFolded) {
    EXPECT_EQ(AsciiUpper(QStringLiteral("abc-äöü-ß")), QStringLiteral("ABC-äöü-ß"));
    EXPECT_TRUE(SameTextNoCase(QStringLiteral("Local.ORV"), QStringLiteral("local.orv")));
    EXPECT_FALSE(SameTextNoCase(QStringLiteral("ä"), QStringLiteral("Ä")));
    EXPECT_TRUE(ContainsNoCase(QStringLiteral("d:\\import:\\x"), QStringLiteral("IMPORT:\\")));
}

} // namespace
} // namespace orvane
