// The module orvane_webview: the net browser's view over the web engine. Only this file, built as
// a module of its own, links the engine; the program loads it when the view is first needed and
// never unloads it (the engine keeps its state until the process ends).
//
// The view runs its pages in a profile of its own, kept in memory only, without plugins; every
// request for a local file outside one folder is refused. GUI thread only.

#include "browser/WebView.h"

#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QWidget>

namespace orvane {

namespace {

// The canonical form of a local path, or its clean form when it does not exist.
QString RealPath(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(path) : real;
}

// Refuses every request for a local file outside one folder: an address typed, a link, or a
// part of a page. With no folder set, every local file is refused.
class TLocalFileGuard : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void SetFolder(const QString& folder) { folder_ = RealPath(folder) + u'/'; }
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl url = info.requestUrl();
        if (url.isLocalFile() || url.scheme() == QStringLiteral("file"))
            info.block(folder_.size() <= 1 || !RealPath(url.toLocalFile()).startsWith(folder_));
    }

private:
    QString folder_;
};

// Hands the links the user follows to the view's owner first.
class TLinkPage : public QWebEnginePage {
public:
    TLinkPage(QWebEngineProfile* profile, TWebView& view, QObject* parent)
        : QWebEnginePage(profile, parent)
        , view_(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (type == NavigationTypeLinkClicked && view_.OnLinkClicked && view_.OnLinkClicked(url))
            return false;
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

private:
    TWebView& view_;
};

class TWebEngineView final : public QWidget, public TWebView {
public:
    explicit TWebEngineView(QWidget* parent)
        : QWidget(parent)
        , profile_(new QWebEngineProfile(this)) // no name: kept in memory only
        , guard_(new TLocalFileGuard(profile_)) {
        profile_->setUrlRequestInterceptor(guard_);
        QWebEngineSettings* settings = profile_->settings();
        settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);

        view_ = new QWebEngineView(this);
        view_->setPage(new TLinkPage(profile_, *this, view_)); // goes with the view
        QObject::connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
            if (OnUrlChanged)
                OnUrlChanged(url);
        });
        QObject::connect(
            view_->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) {
                if (OnLoadFinished && info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                    OnLoadFinished(info.url(),
                                   info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
            });
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
    }
    ~TWebEngineView() override {
        // The pages go before the profile they run in (a child of this widget too).
        delete view_;
        view_ = nullptr;
    }

    QWidget* Widget() override { return this; }
    void SetLocalFolder(const QString& folder) override { guard_->SetFolder(folder); }
    void Load(const QUrl& url) override { view_->load(url); }
    void Back() override { view_->back(); }
    void Forward() override { view_->forward(); }
    void Reload() override { view_->reload(); }
    QUrl Url() const override { return view_->url(); }
    QString Title() const override { return view_->title(); }
    bool CanGoBack() const override { return view_->history()->canGoBack(); }
    bool CanGoForward() const override { return view_->history()->canGoForward(); }

private:
    QWebEngineProfile* profile_;
    TLocalFileGuard* guard_;
    QWebEngineView* view_ = nullptr;
};

} // namespace

} // namespace orvane

extern "C" Q_DECL_EXPORT orvane::TWebView* orvane_make_web_view(QWidget* parent) {
    static_assert(std::is_same_v<decltype(&orvane_make_web_view), orvane::MakeWebViewFunction>);
    return new orvane::TWebEngineView(parent); // a child of parent
}
