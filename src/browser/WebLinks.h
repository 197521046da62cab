#pragma once
// The product's and the maker's web pages, and opening an address in the user's default browser.
// GUI thread only.

#include <QUrl>
#include <functional>

namespace orvane {

class Prompts;

extern const QUrl kProductSite; // Help > "Orvane website"
extern const QUrl kMakerSite;   // Help > "Brimtove Homepage" and the about window's link
extern const QString kBrowserFailed;

// Opens an address outside the program; true when it could. Tests replace it.
using UrlOpener = std::function<bool(const QUrl&)>;
// The desktop's default browser (QDesktopServices::openUrl).
UrlOpener DefaultBrowser();

// Opens url with open, and tells the user when that fails.
bool OpenInDefaultBrowser(const QUrl& url, const UrlOpener& open, Prompts& prompts);

} // namespace orvane
