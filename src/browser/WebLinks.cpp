#include "browser/WebLinks.h"

#include "platform/Prompts.h"

#include <QDesktopServices>

namespace orvane {

const QUrl kProductSite(QStringLiteral("https://www.brimtove.example/orvane/"));
const QUrl kMakerSite(QStringLiteral("https://www.brimtove.example/"));
const QString kBrowserFailed = QStringLiteral("Unable to open your default browser.");

UrlOpener DefaultBrowser() {
    return [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
}

bool OpenInDefaultBrowser(const QUrl& url, const UrlOpener& open, Prompts& prompts) {
    if (open && open(url))
        return true;
    prompts.information(kBrowserFailed);
    return false;
}

} // namespace orvane
