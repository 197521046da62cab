#include "browser/FolderRoots.h"
#include "browser/TitleFit.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

TEST(FolderRoots, HomeBaseRootAndTheMediaOfTheMountTable) {
    const QString mounts = u"proc /proc proc rw 0 0\n"
                           u"/dev/sda1 / ext4 rw 0 0\n"
                           u"tmpfs /run tmpfs rw 0 0\n"
                           u"/dev/sdb1 /media/ann/USB\\040Stick vfat rw 0 0\n"
                           u"server:/music /srv/music nfs4 rw 0 0\n"
                           u"//nas/share /home/ann/nas cifs rw 0 0\n"
                           u"/dev/sdc1 /home/ann/Music ext4 rw 0 0\n"
                           u"/dev/sr0 /mnt/cd iso9660 ro 0 0"_s;
    const std::vector<FolderRoot> roots =
        FolderRootsFor(u"/home/ann"_s, u"/home/ann/Music/"_s, mounts);
    const std::vector<FolderRoot> expected = {
        {u"/home/ann"_s, u"Home"_s},   {u"/home/ann/Music"_s, u"MP3 folder"_s},
        {u"/"_s, u"File system"_s},    {u"/media/ann/USB Stick"_s, u"USB Stick"_s},
        {u"/srv/music"_s, u"music"_s}, {u"/home/ann/nas"_s, u"nas"_s},
        {u"/mnt/cd"_s, u"cd"_s}};
    EXPECT_EQ(roots, expected);
    // The MP3 base folder in the home folder's place is listed once.
    EXPECT_EQ(FolderRootsFor(u"/home/ann"_s, u"/home/ann"_s, {}).size(), 2u);
}

int TenPerChar(const QString& s) {
    return int(s.size()) * 10;
}

// Dots are narrow, as in most fonts, so that every cut can be told apart.
int NarrowDots(const QString& s) {
    return int(s.size() - s.count(u'.')) * 10 + int(s.count(u'.'));
}

TEST(TitleFit, CutsStepByStepDownToDots) {
    const QString title = u"Albums of mine"_s; // 14 characters, 140 wide
    EXPECT_EQ(FitTitleText(title, NarrowDots, 140), title);
    // The first cut drops two characters, each further one a character more.
    EXPECT_EQ(FitTitleText(title, NarrowDots, 139), u"Albums of mi..."_s);
    EXPECT_EQ(FitTitleText(title, NarrowDots, 122), u"Albums of m..."_s);
    EXPECT_EQ(FitTitleText(title, NarrowDots, 40), u"Alb..."_s);
    EXPECT_EQ(FitTitleText(title, NarrowDots, 3), u"..."_s);
    // When nothing fits, the shortest form is taken anyway.
    EXPECT_EQ(FitTitleText(title, NarrowDots, 2), u"..."_s);
    EXPECT_EQ(FitTitleText(title, TenPerChar, 139), u"Albums of ..."_s);
    EXPECT_EQ(FitTitleText(QString(), TenPerChar, 0), QString());
}

TEST(TitleFit, OnlyTheFirstAmpersandIsDoubled) {
    EXPECT_EQ(FitTitleText(u"Rock & Roll & Co"_s, TenPerChar, 1000), u"Rock && Roll & Co"_s);
    EXPECT_EQ(EscapeFirstAmpersand(u"&"_s), u"&&"_s);
    EXPECT_EQ(EscapeFirstAmpersand(u"none"_s), u"none"_s);
    // The doubled text is what gets measured and cut.
    EXPECT_EQ(FitTitleText(u"A&BCD"_s, TenPerChar, 50), u"A&..."_s);
}

} // namespace
} // namespace orvane
