#include "browser/WebViewModule.h"

#include "browser/WebView.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace orvane {

namespace {

constexpr char kModuleName[] = "orvane_webview.so";

} // namespace

QString WebViewModuleFile(const QString& executableFolder) {
    const QDir executable(executableFolder);
    for (const QString& relative : {QString::fromLatin1(kModuleName),
                                    QStringLiteral("../lib/orvane/") + QLatin1String(kModuleName)})
        if (QFileInfo(executable.filePath(relative)).isFile())
            return QDir::cleanPath(executable.filePath(relative));
    return {};
}

std::unique_ptr<TWebView> MakeWebView(const QString& file, QWidget* parent, QString& error) {
    if (file.isEmpty()) {
        error = QStringLiteral("%1 was found neither beside the program nor in its ../lib/orvane/.")
                    .arg(QLatin1String(kModuleName));
        return nullptr;
    }
    // The library object may go: without a call to unload() the module stays loaded, and the
    // hint keeps it so even then.
    QLibrary module(file);
    module.setLoadHints(QLibrary::PreventUnloadHint);
    const auto make = reinterpret_cast<MakeWebViewFunction>(module.resolve(kMakeWebViewSymbol));
    if (!make) {
        error = module.errorString();
        return nullptr;
    }
    std::unique_ptr<TWebView> view(make(parent));
    if (!view)
        error = QStringLiteral("%1 made no web view.").arg(file);
    return view;
}

} // namespace orvane
