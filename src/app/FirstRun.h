#pragma once
// The first-run prompt of the start-up: with no settings in the store, the user is told so and
// asked for the folder of the MP3 collection.

#include "app/Settings.h"
#include "platform/Prompts.h"

#include <functional>

namespace orvane {

inline const QString kFirstRunMessage =
    QStringLiteral("This seems to be your firs time running Orvane.\nYou need to specify the path "
                   "to your MP3 collection.");
inline const QString kSelectMp3PathTitle = QStringLiteral("Select mp3 path");

// On a first run (IsFirstRun) shows the message and the folder browser; a chosen folder becomes
// the MP3 base folder, a cancelled browser leaves it as it was. When stopRequested says so after
// the message (the program is asked to end), the browser is not shown. True when it was a first
// run.
bool RunFirstRunPrompt(const Registry& registry, Prompts& prompts, Settings& settings,
                       const std::function<bool()>& stopRequested = {});

} // namespace orvane
