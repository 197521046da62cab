#pragma once
// The song pane's page "NetBrowser": a web view under the toolbar tbNetBrowser (back, forward,
// refresh, home, search, the address box cbURL, the hidden "&GO!" and "Channels").
//
// The web engine costs a process and much memory, so the view is made, and the module holding
// the engine loaded (WebViewModule.h), only the first time the page is shown; until then a light
// placeholder stands in, and the address asked for (the start page at start-up) waits. When the
// module cannot be loaded, the placeholder says why. Pages run in a profile of their own, kept in
// memory only, without plugins; of the local files they reach only those in the start page's
// folder. A link from there to our help pages opens the help window instead. GUI thread only.

#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace orvane {

class TWebView;

class TNetBrowser : public QWidget {
    Q_OBJECT
public:
    explicit TNetBrowser(QWidget* parent = nullptr);
    ~TNetBrowser() override;

    // The start page (a local file); local pages outside its folder are refused.
    void SetHomePage(const QString& file);
    QUrl HomePage() const { return home_; }
    static QUrl SearchPage();

    void Navigate(const QUrl& url);
    void GoHome() { Navigate(home_); }
    void Search() { Navigate(SearchPage()); }
    void Back();
    void Forward();
    void Refresh();
    // The address asked for last (also while the view does not exist yet).
    QUrl RequestedUrl() const { return requested_; }

    // The web view's module; by default the one found from the executable's folder.
    void SetWebViewModule(const QString& file) { module_ = file; }

    // A link to a help page ("net-browser.htm#info"), which the help window shows.
    std::function<void(const QString& page)> OnHelpLink;

    QToolBar* tbNetBrowser() const { return tbNetBrowser_; }
    QComboBox* cbURL() const { return cbURL_; }
    QMenu* pmChannels() const { return pmChannels_; }
    QToolButton* Button(const QString& name) const;
    // Null until the page has first been shown, and when the web view cannot be made.
    TWebView* View() const { return view_.get(); }
    // The text that stands in for the view (empty while nothing is to be said).
    QString PlaceholderText() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A page ended loading; ok is false when it failed or was refused.
    void LoadFinished(const QUrl& url, bool ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void makeView();
    void addressEntered();
    void urlShown(const QUrl& url);
    void historyChanged();

    QToolBar* tbNetBrowser_;
    QComboBox* cbURL_;
    QMenu* pmChannels_;
    QLabel* placeholder_;
    QString module_;
    std::unique_ptr<TWebView> view_; // its widget is a child of this one
    QUrl home_;
    QUrl requested_;
};

} // namespace orvane
