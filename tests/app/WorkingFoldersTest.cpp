#include "app/WorkingFolders.h"

#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

TEST(WorkingFolders, MissingFoldersAreCreatedSilently) {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    // On a first start the program folder in the user's data folder does not exist yet.
    const WorkingFolders f = WorkingFolders::At(dir.file(u"share/brimtove/orvane"_s));
    PrepareWorkingFolders(f, prompts);
    EXPECT_TRUE(QDir(f.Recycle).exists());
    EXPECT_TRUE(QDir(f.Logs).exists());
    EXPECT_TRUE(prompts.shown().empty());
    PrepareWorkingFolders(f, prompts);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST(WorkingFolders, FoldersThatCannotBeMadeAreReportedOneByOne) {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    // The program folder's name is taken by a file, so nothing can be created in it.
    const QString blocked = dir.file(u"program"_s);
    ASSERT_TRUE(test::WriteFile(blocked, {}));
    PrepareWorkingFolders(WorkingFolders::At(blocked), prompts);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].kind, PromptKind::Warning);
    EXPECT_EQ(prompts.texts()[0], QStringLiteral("Unable to create Recycle bin directory\n"
                                                 "Make sure Orvane can write into it's base dir."));
    EXPECT_EQ(prompts.texts()[1], QStringLiteral("Unable to create Log directory\n"
                                                 "Make sure Orvane can write into it's base dir."));
}

} // namespace
} // namespace orvane
