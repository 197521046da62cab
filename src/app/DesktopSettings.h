#pragma once
// Settings kept beside the others in the registry branch: the column widths of the two song
// lists (posflags, "SongColumns" and "PlayingColumns", widths after the "Song" column as
// "w1,w2,w3,w4") and the player's volume (main key, "Volume" 0-100 and "Mute" 0 or 1). Read after
// LoadSettings and written with SaveSettings. Data logic: no widgets. GUI thread only.

#include "platform/Registry.h"

#include <vector>

namespace orvane {

struct DesktopSettings {
    // Empty: the widths follow the texts.
    std::vector<int> SelectionColumns;
    std::vector<int> PlayingColumns;
    int Volume = 100;
    bool Muted = false;
};

// A value that is missing or not well formed leaves its setting as it is by default.
DesktopSettings ReadDesktopSettings(const Registry& registry);
// False when a value cannot be written; widths that are empty are not written.
bool WriteDesktopSettings(Registry& registry, const DesktopSettings& settings);

} // namespace orvane
