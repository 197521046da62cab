#pragma once
// The net browser's web view as the program sees it. The web engine behind it lives in a module
// of its own (orvane_webview), which alone links the engine and is loaded the first time a view
// is needed (WebViewModule.h): a program that never shows a web page never loads the engine.
// Nothing here names a type of the engine. GUI thread only.

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace orvane {

class TWebView {
public:
    TWebView() = default;
    TWebView(const TWebView&) = delete;
    TWebView& operator=(const TWebView&) = delete;
    // Ends the pages before the profile they run in, then the widget.
    virtual ~TWebView() = default;

    // The view's widget: a child of the parent it was made for, going with this object.
    virtual QWidget* Widget() = 0;
    // Every request for a local file outside this folder is refused, whatever asks for it.
    virtual void SetLocalFolder(const QString& folder) = 0;

    virtual void Load(const QUrl& url) = 0;
    virtual void Back() = 0;
    virtual void Forward() = 0;
    virtual void Reload() = 0;
    virtual QUrl Url() const = 0;
    virtual QString Title() const = 0;
    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;

    // The address shown changed (a navigation began, or back and forward).
    std::function<void(const QUrl& url)> OnUrlChanged;
    // A load ended; ok is false when it failed or was refused.
    std::function<void(const QUrl& url, bool ok)> OnLoadFinished;
    // The user followed a link; true when that was taken care of and the page stays.
    std::function<bool(const QUrl& url)> OnLinkClicked;
};

// The module's one entry point, an extern "C" function of this name and type: a new view whose
// widget is a child of parent; the caller owns the view.
using MakeWebViewFunction = TWebView* (*)(QWidget* parent);
inline constexpr char kMakeWebViewSymbol[] = "orvane_make_web_view";

} // namespace orvane
