#include "browser/CommandRules.h"

namespace orvane {

CommandStates ComputeCommandStates(const CommandContext& c) {
    CommandStates s;
    s.selected = c.songPage != SongPage::NetBrowser && c.currentListHasSelection;
    s.selectedNotPlayingPage = s.selected && c.categoryPage != CategoryPage::Playing;
    s.filterLabelVisible = c.timeFilterOn || c.collectionFilterActive;
    return s;
}

} // namespace orvane
