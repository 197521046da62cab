#pragma once
// The side bar's groups as the settings keep them: the icon sizes of every group, the captions
// of the user's groups and of their items. GUI thread only.

#include "app/Settings.h"

namespace orvane {

class TSideBar;

// The groups as the bar shows them, in bar order.
std::vector<SideBarGroup> SideBarGroupsOf(const TSideBar& bar);
// Gives the fixed groups their icon sizes and appends the user's groups with their playlist
// shortcuts, each group's items going into that group (also when two groups share a caption).
// Taken by value: the bar tells of its changes, which may be written back into the settings.
void ApplySideBarGroups(TSideBar& bar, std::vector<SideBarGroup> groups);

} // namespace orvane
