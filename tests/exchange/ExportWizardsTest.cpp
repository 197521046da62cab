// The export dialogs offscreen: the type dialog, the plain-text wizard's pages, summary and
// failures (the wizard stays usable), the replace question asked when the file appeared after
// the summary, and the collection-file wizard's contact text.

#include "exchange/CollectionFileExport.h"
#include "exchange/TfrmExportOrv.h"
#include "exchange/TfrmExportPlainText.h"
#include "exchange/TfrmExportTypeSelection.h"
#include "store/CacheFile.h"
#include "store/CollectionList.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class ExportWizardsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        folder = dir.path() + u'/';
        for (const char* artist : {"Abba", "", "ABBA"}) {
            SongRecord song;
            song.FileName = u"a.mp3"_s;
            song.Title = u"Song by "_s + QString::fromLatin1(artist);
            song.Artist = QString::fromLatin1(artist);
            song.Folder = u"/music/"_s;
            songs.append(song);
        }
    }
    // Clicks "&Next  >" until the wizard shows page.
    static void NextTo(ExportWizard& wizard, int page) {
        while (wizard.Page() < page)
            wizard.btnNext()->click();
    }

    test::TempDir dir;
    QString folder;
    CollectionList songs;
    test::ScriptedPrompts prompts;
};

TEST_F(ExportWizardsTest, TypeDialogExplainsEachEntry) {
    TfrmExportTypeSelection types;
    EXPECT_EQ(types.windowTitle(), u"Export...");
    EXPECT_EQ(types.Selected(), TfrmExportTypeSelection::Choice::PlainText);
    EXPECT_TRUE(types.InformationText().startsWith(u"Export song information sorted"_s));
    types.lbTypes()->setCurrentRow(1);
    EXPECT_EQ(types.Selected(), TfrmExportTypeSelection::Choice::CollectionFile);
    EXPECT_TRUE(types.InformationText().startsWith(u"Write the current \"Local\" database"_s));
}

TEST_F(ExportWizardsTest, PlainTextWizardSummaryFailureAndReport) {
    TfrmExportPlainText wizard(songs, folder, prompts);
    wizard.SetDateText(u"today"_s);
    EXPECT_EQ(wizard.edFilename()->text(), folder + u"mp3collection.txt"_s);
    EXPECT_FALSE(wizard.btnPrev()->isEnabled());
    wizard.lbOptions()->setCurrentRow(1);
    EXPECT_EQ(wizard.InformationText(0),
              u"All information is sorted in alphabeticall order according to the Artist tag."_s);
    NextTo(wizard, 1);
    EXPECT_TRUE(wizard.btnPrev()->isEnabled());
    wizard.lbOptions2()->setCurrentRow(2);
    EXPECT_EQ(wizard.InformationText(1), u"Display all information except for comments."_s);
    NextTo(wizard, 2);
    // A folder that does not exist: the error lines, and the wizard stays on its last page.
    const QString missing = folder + u"gone/r.txt"_s;
    wizard.edFilename()->setText(missing);
    NextTo(wizard, 3);
    EXPECT_EQ(wizard.SummaryLines(), (QStringList{u"Summary for export:"_s,
                                                  {},
                                                  u"  Type of export : "_s,
                                                  u"      Group output on Artist"_s,
                                                  {},
                                                  u"  Information to export : "_s,
                                                  u"      All information"_s,
                                                  {},
                                                  u"  Filename for export:"_s,
                                                  u"      "_s + missing}));
    EXPECT_EQ(wizard.btnNext()->text(), u"&Finish>");
    wizard.btnNext()->click();
    EXPECT_EQ(wizard.SummaryLines().value(2), u"  Error creating output file."_s);
    EXPECT_EQ(wizard.btnNext()->text(), u"&Finish>");
    EXPECT_FALSE(wizard.Done());

    // Back, another name, and again: the file is written and the wizard can only be closed.
    wizard.btnPrev()->click();
    EXPECT_EQ(wizard.btnNext()->text(), u"&Next  >");
    const QString target = folder + u"r.txt"_s;
    wizard.edFilename()->setText(u"r.txt"_s); // a bare name goes beside the default file
    NextTo(wizard, 3);
    EXPECT_EQ(wizard.SummaryLines().last(), u"      "_s + target);
    // The file appears after the summary was shown: replacing it is asked, No writes nothing.
    ASSERT_TRUE(test::WriteFile(target, "someone else's"));
    prompts.Answer(PromptAnswer::No);
    wizard.btnNext()->click();
    EXPECT_TRUE(prompts.texts().last().contains(target));
    EXPECT_EQ(test::ReadFile(target), "someone else's");
    // A disk that fills up: a message naming the file, the old file kept, still usable.
    {
        test::FileSizeLimit full(10);
        wizard.btnNext()->click();
    }
    EXPECT_EQ(prompts.shown().back().kind, PromptKind::Error);
    EXPECT_TRUE(prompts.texts().last().contains(target));
    EXPECT_EQ(test::ReadFile(target), "someone else's");
    EXPECT_FALSE(wizard.Done());

    wizard.btnNext()->click();
    EXPECT_EQ(wizard.SummaryLines(), (QStringList{u"Report :"_s,
                                                  {},
                                                  u"  File generated"_s,
                                                  {},
                                                  u"     Artists exported : 1"_s,
                                                  u"     Songs checked : 3"_s}));
    EXPECT_TRUE(test::ReadFile(target).contains("ARTIST : Abba\r\n"));
    EXPECT_EQ(wizard.btnNext()->text(), u"&Close  ");
    EXPECT_FALSE(wizard.btnPrev()->isEnabled());
    wizard.btnNext()->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
}

TEST_F(ExportWizardsTest, CollectionWizardRefusesABrokenContactText) {
    ASSERT_TRUE(SaveCacheFile(folder + u"local.orv"_s, songs));
    TfrmExportOrv wizard(folder + u"local.orv"_s, folder, prompts);
    EXPECT_EQ(wizard.windowTitle(), u"Export orvane collection...");
    wizard.edEmail()->setText(u"me[;]there"_s);
    wizard.btnNext()->click();
    EXPECT_EQ(wizard.Page(), 0);
    EXPECT_EQ(prompts.texts(), QStringList{ContactTextProblem(u"[;]"_s)});
    wizard.edEmail()->setText(u"me@there"_s);
    NextTo(wizard, 2);
    const QString target = folder + u"mycollection.orv"_s;
    EXPECT_EQ(
        wizard.SummaryLines(),
        (QStringList{
            u"Summary for export:"_s, {}, u"  Filename for export:"_s, u"      "_s + target}));
    wizard.btnNext()->click();
    EXPECT_EQ(wizard.SummaryLines(), (QStringList{u"Report :"_s, {}, u"  File generated."_s, {}}));
    EXPECT_TRUE(test::ReadFile(target).contains("[;]IMPORT:\\me@there[;]\r\n"));
    EXPECT_EQ(wizard.btnNext()->text(), u"&Close  ");
}

} // namespace
} // namespace orvane
