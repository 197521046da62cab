// What the program keeps of the song lists' columns (and the player's volume) from one run to
// the next, through the registry store.

#include "ProgramFixture.h"
#include "browser/SongListView.h"

#include <QHeaderView>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

class DesktopSettingsTest : public test::ProgramFixture {};

TEST_F(DesktopSettingsTest, ColumnWidthsTheUserSetComeBackAtTheNextStart) {
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
        Stop(program);
    }
    const std::optional<QString> stored = registry.ReadText(posKey, u"SongColumns"_s);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->contains(u",133,"_s)) << stored->toStdString();

    Program program(prompts, registry, folder);
    Start(program);
    EXPECT_EQ(program.MainWindow().lvSelection()->columnWidth(SongListModel::AlbumColumn), 133);
    Stop(program);
}

} // namespace
} // namespace orvane
