#pragma once
// Finding and loading the module that holds the net browser's web view (WebView.h). The module
// is loaded once per process and never unloaded: the web engine in it keeps threads and state
// until the process ends. GUI thread only.

#include <QString>
#include <memory>

class QWidget;

namespace orvane {

class TWebView;

// The module's file: beside the executable (a build folder), else in the executable's
// ../lib/orvane/ (installed); empty when it is in neither.
QString WebViewModuleFile(const QString& executableFolder);

// A new view whose widget is a child of parent, from the module in file; null when the module
// cannot be loaded or made none, with the reason in error.
std::unique_ptr<TWebView> MakeWebView(const QString& file, QWidget* parent, QString& error);

} // namespace orvane
