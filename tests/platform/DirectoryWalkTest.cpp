#include "platform/DirectoryWalk.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class DirectoryWalkTest : public ::testing::Test {
protected:
    void Touch(const QString& relative) {
        const QString path = dir.file(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        ASSERT_TRUE(test::WriteFile(path, {}));
    }
    void Folder(const QString& relative) { ASSERT_TRUE(QDir().mkpath(dir.file(relative))); }
    void Link(const QString& target, const QString& relative) {
        ASSERT_TRUE(QFile::link(target, dir.file(relative)));
    }

    // Every file reported, relative to the walked folder, in the order reported.
    QStringList Walk(WalkDepth depth = WalkDepth::WholeTree, const QString& under = {}) {
        QStringList files;
        const QString root = under.isEmpty() ? dir.path() : dir.file(under);
        const QString prefix = root + u'/';
        WalkVisitor visitor;
        visitor.file = [&](const QString& folder, const QString& name) {
            EXPECT_TRUE(folder.endsWith(u'/'));
            files.append((folder + name).mid(prefix.size()));
        };
        EXPECT_TRUE(WalkFolders(root, depth, visitor));
        return files;
    }

    test::TempDir dir;
};

TEST_F(DirectoryWalkTest, FoldersAreWalkedWhereTheyComeInNameOrder) {
    // Files whose names begin with "." are still files.
    for (const QString& file : {u"b.mp3"_s, u"A/z.mp3"_s, u"A/deeper/y.mp3"_s, u"a.mp3"_s,
                                u"C.txt"_s, u".hidden-file.mp3"_s})
        Touch(file);
    Folder(u"empty"_s);
    EXPECT_EQ(Walk(), (QStringList{u".hidden-file.mp3"_s, u"A/deeper/y.mp3"_s, u"A/z.mp3"_s,
                                   u"a.mp3"_s, u"b.mp3"_s, u"C.txt"_s}));
    EXPECT_EQ(Walk(WalkDepth::FolderOnly),
              (QStringList{u".hidden-file.mp3"_s, u"a.mp3"_s, u"b.mp3"_s, u"C.txt"_s}));
}

TEST_F(DirectoryWalkTest, HiddenFoldersLinksAndSpecialFiles) {
    Touch(u".cache/in-hidden.mp3"_s);
    Touch(u"real/song.mp3"_s);
    Link(dir.file(u"real"_s), u"link-to-real"_s);       // the same folder twice: entered once
    Link(dir.path(), u"real/loop"_s);                   // back up the tree: not entered again
    Link(dir.file(u"real/song.mp3"_s), u"alias.mp3"_s); // a link to a file is a file
    Link(dir.file(u"nowhere.mp3"_s), u"broken.mp3"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file(u"pipe.mp3"_s)).constData(), 0600), 0);
    EXPECT_FALSE(IsHiddenName(u"song"_s));
    EXPECT_TRUE(IsHiddenName(u".cache"_s));

    // "link-to-real" comes first in name order, so the folder is walked through it.
    EXPECT_EQ(Walk(), (QStringList{u"alias.mp3"_s, u"link-to-real/song.mp3"_s}));
}

TEST_F(DirectoryWalkTest, UnreadableFoldersAreReportedAndSystemTreesNeverEntered) {
    for (const QString& file : {u"closed/inside.mp3"_s, u"open/song.mp3"_s, u"notes.mp3"_s})
        Touch(file);
    for (const QString& tree : {u"proc"_s, u"sys"_s, u"dev"_s})
        Link(u'/' + tree, tree);
    const QString closed = dir.file(u"closed/"_s);
    const QByteArray closedBytes = QFile::encodeName(closed);
    // Permissions bind an ordinary user; the superuser gets the same failure injected.
    const bool bound = ::geteuid() != 0;
    if (bound)
        ASSERT_EQ(::chmod(closedBytes.constData(), 0), 0);
    else
        SetFolderListingFailureForTests([closed](const QString& f) { return f == closed; });

    QStringList files, unreadable;
    bool inSystemTree = false;
    WalkVisitor visitor;
    visitor.stopRequested = [&] {
        return inSystemTree;
    };
    visitor.file = [&](const QString& folder, const QString& name) {
        for (const QString& tree : {u"proc/"_s, u"sys/"_s, u"dev/"_s})
            inSystemTree = inSystemTree || folder.startsWith(dir.file(tree));
        files.append(folder.mid(dir.path().size() + 1) + name);
    };
    visitor.unreadableFolder = [&](const QString& folder) {
        unreadable.append(folder);
    };
    EXPECT_TRUE(WalkFolders(dir.path(), WalkDepth::WholeTree, visitor));
    EXPECT_FALSE(inSystemTree);
    EXPECT_EQ(files, (QStringList{u"notes.mp3"_s, u"open/song.mp3"_s}));
    EXPECT_EQ(unreadable, QStringList{closed});
    EXPECT_FALSE(CanListFolder(closed));
    EXPECT_TRUE(CanListFolder(dir.file(u"open"_s)));
    EXPECT_FALSE(CanListFolder(dir.file(u"notes.mp3"_s))); // a file where a folder should be
    EXPECT_FALSE(CanListFolder(dir.file(u"missing"_s)));

    if (bound)
        ::chmod(closedBytes.constData(), 0700);
    SetFolderListingFailureForTests({});
}

TEST_F(DirectoryWalkTest, MissingRootAndStopRequests) {
    EXPECT_TRUE(Walk(WalkDepth::WholeTree, u"missing"_s).isEmpty());

    for (int i = 0; i < 5; ++i)
        Touch(u"f%1.mp3"_s.arg(i));
    Touch(u"sub/g.mp3"_s);
    int seen = 0;
    WalkVisitor visitor;
    visitor.stopRequested = [&] {
        return seen == 2;
    };
    visitor.file = [&](const QString&, const QString&) {
        ++seen;
    };
    EXPECT_FALSE(WalkFolders(dir.path(), WalkDepth::WholeTree, visitor));
    EXPECT_EQ(seen, 2);

    // An empty root is the file system's root; stop before its first entry.
    QStringList entered;
    visitor.stopRequested = [] {
        return true;
    };
    visitor.enteringFolder = [&](const QString& folder) {
        entered.append(folder);
    };
    EXPECT_FALSE(WalkFolders(QString(), WalkDepth::WholeTree, visitor));
    EXPECT_EQ(entered, QStringList{QDir::rootPath()});
}

} // namespace
} // namespace orvane
