#include "app/FirstRun.h"

namespace orvane {

bool RunFirstRunPrompt(const Registry& registry, Prompts& prompts, Settings& settings,
                       const std::function<bool()>& stopRequested) {
    if (!IsFirstRun(registry))
        return false;
    prompts.information(kFirstRunMessage);
    if (stopRequested && stopRequested())
        return true;
    if (const std::optional<QString> folder =
            prompts.chooseFolder(kSelectMp3PathTitle, settings.Mp3Base))
        settings.Mp3Base = *folder;
    return true;
}

} // namespace orvane
