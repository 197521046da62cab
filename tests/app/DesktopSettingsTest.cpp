// What the program keeps of the song lists' columns and the player's volume from one run to
// the next, and what it tells of a scan.

#include "ProgramFixture.h"
#include "app/ScanStatus.h"
#include "app/VolumeControl.h"
#include "browser/SongListView.h"

#include <QDialog>
#include <QHeaderView>
#include <QSlider>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class DesktopSettingsTest : public test::ProgramFixture {};

TEST_F(DesktopSettingsTest, ColumnWidthsAndTheVolumeComeBackAtTheNextStart) {
    const QString posKey = kMainKey + u"\\posflags"_s;
    ASSERT_TRUE(registry.WriteText(posKey, u"PlayingColumns"_s, u"80,x,40,40"_s));
    {
        Program program(prompts, registry, folder);
        Start(program);
        TSongListView* list = program.MainWindow().lvSelection();
        EXPECT_TRUE(list->Columns().Widths().empty()) << "nothing set yet: the widths follow";
        EXPECT_TRUE(program.MainWindow().lvPlayingSongs()->Columns().Widths().empty())
            << "a stored value that is not a list of widths is ignored";
        // The Song column takes the rest of the width.
        EXPECT_EQ(list->horizontalHeader()->sectionResizeMode(SongListModel::SongColumn),
                  QHeaderView::Stretch);
        list->horizontalHeader()->resizeSection(SongListModel::AlbumColumn, 133);
        VolumeControl& volume = program.Playback().Volume();
        EXPECT_EQ(volume.Slider()->value(), 100);
        volume.Slider()->setValue(35);
        volume.MuteButton()->click();
        Stop(program);
    }
    const std::optional<QString> stored = registry.ReadText(posKey, u"SongColumns"_s);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->contains(u",133,"_s)) << stored->toStdString();

    Program program(prompts, registry, folder);
    Start(program);
    EXPECT_EQ(program.MainWindow().lvSelection()->columnWidth(SongListModel::AlbumColumn), 133);
    EXPECT_EQ(program.Playback().Controller().Volume(), 35);
    EXPECT_TRUE(program.Playback().Controller().Muted());
    EXPECT_EQ(program.Playback().Volume().Slider()->value(), 35);
    EXPECT_TRUE(program.Playback().Volume().MuteButton()->isChecked());
    Stop(program);
}

TEST_F(DesktopSettingsTest, TheScanSummaryListsTheFilesItCouldNotRead) {
    Mp3(u"good.mp3"_s, u"Good"_s);
    ASSERT_TRUE(test::WriteFile(music + u"/empty.mp3"_s, {}));
    ASSERT_TRUE(test::WriteFile(music + u"/<i>notes.mp3"_s, "plain words, no frames\n"));
    Program program(prompts, registry, folder);
    Start(program, true);
    test::ProcessUntil([&] { return program.ScanSummary().Button()->text().startsWith(u"Scan:"); });
    ScanStatus& status = program.ScanSummary();
    EXPECT_EQ(status.Button()->text(), u"Scan: 1 songs added, 2 files not read"_s);
    status.Button()->click();
    ASSERT_TRUE(status.ListWindow());
    auto* table = status.ListWindow()->findChild<QTableWidget*>();
    ASSERT_TRUE(table);
    std::map<QString, QString> reasons;
    for (int row = 0; row < table->rowCount(); ++row)
        reasons[QFileInfo(table->item(row, 0)->text()).fileName()] = table->item(row, 1)->text();
    EXPECT_EQ(reasons, (std::map<QString, QString>{{u"empty.mp3"_s, u"empty file"_s},
                                                   {u"<i>notes.mp3"_s, u"not MPEG audio"_s}}));
    Stop(program);
}

} // namespace
} // namespace orvane
