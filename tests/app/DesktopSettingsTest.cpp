// What the program keeps of the song lists' columns (and the player's volume) from one run to
// the next, through the registry store.

#include "ProgramFixture.h"
#include "app/VolumeControl.h"
#include "browser/SongListView.h"

#include <QHeaderView>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

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

} // namespace
} // namespace orvane
