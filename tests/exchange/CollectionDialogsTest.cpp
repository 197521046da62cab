// The filter and import dialogs offscreen, with scripted answers.

#include "exchange/ImportCommand.h"
#include "exchange/ImportedCollections.h"
#include "exchange/TfrmFilterCollection.h"
#include "exchange/TfrmImport.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class CollectionDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        lib = LibFolder(dir.path());
        ASSERT_TRUE(EnsureLibFolder(lib));
    }
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    QString lib;
};

TEST_F(CollectionDialogsTest, FilterDialogChecksAndDeletes) {
    ASSERT_TRUE(test::WriteFile(lib + u"cd.orv"_s, "x"));
    TfrmFilterCollection dialog({u"Local.orv;1"_s, u"cd.orv;0"_s, u"<b>net</b>.orv;1"_s}, lib,
                                prompts);
    QListWidget* list = dialog.cbList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), u"<b>net</b>.orv");
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);

    dialog.btnDeleteClick(); // nothing selected: nothing asked
    EXPECT_TRUE(prompts.shown().empty());
    list->setCurrentRow(1);
    prompts.Answer(PromptAnswer::No);
    dialog.btnDeleteClick();
    EXPECT_TRUE(QFile::exists(lib + u"cd.orv"_s));
    dialog.btnDeleteClick(); // Yes
    EXPECT_FALSE(QFile::exists(lib + u"cd.orv"_s));
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].kind, PromptKind::Warning);
    EXPECT_EQ(prompts.shown()[1].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.shown()[1].text, kDeleteCollectionQuestion);
    EXPECT_EQ(dialog.CollectionFilter(), (QStringList{u"Local.orv;1"_s, u"<b>net</b>.orv;1"_s}));

    // The own collection is not in lib: told, nothing removed.
    list->setCurrentRow(0);
    dialog.btnDeleteClick();
    EXPECT_EQ(prompts.texts().last(), kDeleteCollectionFailed);
    EXPECT_EQ(list->count(), 2);

    list->item(0)->setCheckState(Qt::Unchecked);
    dialog.accept();
    EXPECT_EQ(dialog.CollectionFilter(), (QStringList{u"Local.orv;0"_s, u"<b>net</b>.orv;1"_s}));
}

TEST_F(CollectionDialogsTest, ImportDialogTakesOnlyAUsableName) {
    TfrmImport dialog(prompts);
    EXPECT_EQ(dialog.SelectedFolder(), QDir::homePath());
    EXPECT_FALSE(dialog.btnOk()->isEnabled());
    dialog.edName()->setText(u"  "_s);
    EXPECT_FALSE(dialog.btnOk()->isEnabled());
    dialog.edName()->setText(u"../elsewhere"_s);
    ASSERT_TRUE(dialog.btnOk()->isEnabled());
    dialog.btnOk()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open
    EXPECT_EQ(prompts.texts(), QStringList{LocationNameProblem(u"../elsewhere"_s)});
    dialog.edName()->setText(u" My CD "_s);
    dialog.btnOk()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.LocationName(), u" My CD "); // as typed
}

TEST_F(CollectionDialogsTest, ImportTellsWhatItFoundOrThatLibCannotBeMade) {
    const QString medium = dir.path() + u"/medium"_s;
    ASSERT_TRUE(QDir().mkpath(medium));
    const auto report = ImportCollection(nullptr, dir.path(), prompts, [&] {
        return std::optional<ImportChoice>({medium, u"empty"_s});
    });
    ASSERT_TRUE(report);
    EXPECT_EQ(report->outcome, ImportOutcome::Written);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_TRUE(prompts.shown()[0].text.startsWith(u"No MP3 files"));
    EXPECT_TRUE(QFile::exists(lib + u"empty.orv"_s));

    // A file in place of lib: the warning, and no question about what to import.
    test::TempDir other;
    ASSERT_TRUE(test::WriteFile(other.file(u"lib"_s), "x"));
    bool asked = false;
    EXPECT_FALSE(ImportCollection(nullptr, other.path(), prompts, [&] {
        asked = true;
        return std::optional<ImportChoice>();
    }));
    EXPECT_FALSE(asked);
    EXPECT_EQ(prompts.texts().last(), kLibFolderUnusable);
}

} // namespace
} // namespace orvane
