#include "platform/Paths.h"
#include "platform/AsciiCase.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

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

TEST(Paths, ProgramFolderRules) {
    test::TempDir dir;
    const QString exe = dir.file(u"bin"_s), data = dir.file(u"data"_s);
    ASSERT_TRUE(QDir().mkpath(exe));
    // Working files of an earlier build beside the executable do not make it the program folder,
    // and stay where they are.
    ASSERT_TRUE(test::WriteFile(exe + u"/local.orv"_s, "old"));
    EXPECT_EQ(ProgramFolderFor({}, exe, data), data + u"/brimtove/orvane/"_s);
    EXPECT_EQ(test::ReadFile(exe + u"/local.orv"_s), "old");
    // A folder named "portable" is not the marker file.
    ASSERT_TRUE(QDir().mkpath(exe + u"/portable"_s));
    EXPECT_EQ(ProgramFolderFor({}, exe, data), data + u"/brimtove/orvane/"_s);
    ASSERT_TRUE(QDir(exe + u"/portable"_s).removeRecursively());
    ASSERT_TRUE(test::WriteFile(exe + u"/portable"_s, {}));
    EXPECT_EQ(ProgramFolderFor({}, exe, data), exe + u'/');
    // ORVANE_HOME wins over everything.
    EXPECT_EQ(ProgramFolderFor(dir.file(u"home"_s), exe, data), dir.file(u"home/"_s));

    // From the environment: the user's data folder follows XDG_DATA_HOME.
    qunsetenv("ORVANE_HOME");
    qputenv("XDG_DATA_HOME", data.toUtf8());
    EXPECT_EQ(ProgramFolder(), data + u"/brimtove/orvane/"_s);
    qputenv("ORVANE_HOME", "/tmp/orvane-home");
    EXPECT_EQ(ProgramFolder(), u"/tmp/orvane-home/");
    qunsetenv("ORVANE_HOME");
    qunsetenv("XDG_DATA_HOME");
}

TEST(Paths, ShippedDataBesideTheExecutableOrInstalled) {
    test::TempDir dir;
    const QString build = dir.file(u"build"_s), prefix = dir.file(u"usr"_s);
    ASSERT_TRUE(QDir().mkpath(build + u"/html"_s) && QDir().mkpath(prefix + u"/bin"_s) &&
                QDir().mkpath(prefix + u"/share/orvane/help"_s));
    ASSERT_TRUE(test::WriteFile(build + u"/html/start.htm"_s, "x"));
    EXPECT_EQ(ShippedDataIn(build, u"html/start.htm"_s), build + u"/html/start.htm"_s);
    EXPECT_EQ(ShippedDataIn(prefix + u"/bin"_s, u"help"_s), prefix + u"/share/orvane/help"_s);
    EXPECT_EQ(ShippedDataIn(prefix + u"/bin"_s, u"html/start.htm"_s), QString());
    // Beside the executable comes first (a build folder inside an installed tree).
    ASSERT_TRUE(QDir().mkpath(prefix + u"/bin/help"_s));
    EXPECT_EQ(ShippedDataIn(prefix + u"/bin/"_s, u"help"_s), prefix + u"/bin/help"_s);
}

TEST(AsciiCase, OnlyAsciiLettersAreFolded) {
    EXPECT_EQ(AsciiUpper(u"abc-äöü-ß"_s), u"ABC-äöü-ß"_s);
    EXPECT_TRUE(SameTextNoCase(u"Local.ORV"_s, u"local.orv"_s));
    EXPECT_FALSE(SameTextNoCase(u"ä"_s, u"Ä"_s));
}

} // namespace
} // namespace orvane
