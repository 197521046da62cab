#include "app/SideBarSettings.h"

#include "browser/SideBar.h"

namespace orvane {

namespace {
SideBarIcons IconsOf(int kind) {
    return kind == kLargeIcons ? SideBarIcons::Large : SideBarIcons::Small;
}
} // namespace

std::vector<SideBarGroup> SideBarGroupsOf(const TSideBar& bar) {
    std::vector<SideBarGroup> groups;
    for (int g = 0; g < bar.GroupCount(); ++g) {
        SideBarGroup group{bar.GroupCaption(g),
                           bar.Icons(g) == SideBarIcons::Large ? kLargeIcons : kSmallIcons,
                           {}};
        const QListWidget* list = bar.Group(g);
        for (int i = 0; i < list->count(); ++i)
            group.Items.append(list->item(i)->text());
        groups.push_back(std::move(group));
    }
    return groups;
}

void ApplySideBarGroups(TSideBar& bar, std::vector<SideBarGroup> groups) {
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g < kFixedSideBarGroups) {
            bar.SetIcons(int(g), IconsOf(groups[g].IconKind));
            continue;
        }
        if (!bar.AddGroup(groups[g].Caption))
            continue;
        const int index = bar.GroupCount() - 1;
        bar.SetIcons(index, IconsOf(groups[g].IconKind));
        for (const QString& item : groups[g].Items)
            bar.AddShortcut(index, item);
    }
}

} // namespace orvane
