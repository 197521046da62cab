#include "browser/NetBrowser.h"

#include "browser/MenuImages.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <unistd.h>

namespace orvane {

namespace {

// The channels in menu order; an empty caption is a separator.
constexpr std::pair<const char*, const char*> kChannels[] = {
    {"AudioGalaxy", "https://www.jamendo.com/"},
    {"Dimension Music", "https://freemusicarchive.org/"},
    {"Direct Downloads", "https://archive.org/details/audio"},
    {"Music lover", "https://bandcamp.com/"},
    {"ccmixter.org", "https://ccmixter.org/"},
    {"Rio port", "https://www.mixcloud.com/"},
    {"", ""},
    {"BoxMP3", "https://musopen.org/"},
    {"Lycos MP3Search", "https://archive.org/search?query=mediatype%3Aaudio"},
    {"MP3Spy", "https://www.last.fm/"}};

// The canonical form of a local path, or its clean form when it does not exist.
QString RealPath(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(path) : real;
}

bool IsHelpPage(const QUrl& url) {
    const QFileInfo file(url.toLocalFile());
    return url.isLocalFile() && file.dir().dirName() == QStringLiteral("help") &&
           file.suffix() == QStringLiteral("htm");
}

// Turns links to our help pages into requests for the help window.
class TNetPage : public QWebEnginePage {
public:
    TNetPage(QWebEngineProfile* profile, TNetBrowser* browser, QObject* parent)
        : QWebEnginePage(profile, parent)
        , browser_(browser) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (type == NavigationTypeLinkClicked && IsHelpPage(url) && browser_->OnHelpLink) {
            QString page = QFileInfo(url.toLocalFile()).fileName();
            if (url.hasFragment())
                page += u'#' + url.fragment();
            browser_->OnHelpLink(page);
            return false;
        }
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

private:
    TNetBrowser* browser_;
};

// The web engine ends the whole process when it is started as root with its sandbox on; the
// page then says why instead of taking the program, and the collection not yet saved, with it.
bool SandboxStopsTheWebEngine() {
    if (::geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return false;
    return !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(u"--no-sandbox");
}

} // namespace

// Refuses every request for a local file outside the start page's folder, whatever asks for it:
// an address typed, a link, or a part of a page.
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

QUrl TNetBrowser::SearchPage() {
    return QUrl(QStringLiteral("https://archive.org/search?query=mp3&sin="));
}

TNetBrowser::TNetBrowser(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("NetBrowser"));
    tbNetBrowser_ = new QToolBar(QStringLiteral("NetBrowser"), this);
    tbNetBrowser_->setObjectName(QStringLiteral("tbNetBrowser"));
    tbNetBrowser_->setIconSize(QSize(20, 20));
    auto button = [this](const char* name, const QString& hint, const QIcon& icon,
                         void (TNetBrowser::*run)()) {
        QAction* action = tbNetBrowser_->addAction(icon, hint);
        action->setObjectName(QString::fromLatin1(name));
        tbNetBrowser_->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    button("btnNetBrowserBack", QStringLiteral("Back"), style()->standardIcon(QStyle::SP_ArrowBack),
           &TNetBrowser::Back);
    button("btnNetBrowserNext", QStringLiteral("Forward"),
           style()->standardIcon(QStyle::SP_ArrowForward), &TNetBrowser::Forward);
    button("btnNetBrowserRefresh", QStringLiteral("Refresh"),
           style()->standardIcon(QStyle::SP_BrowserReload), &TNetBrowser::Refresh);
    button("btnNetBrowserHome", QStringLiteral("Orvane Opensource portal page"),
           TdmMenuImg::Icon(MenuImage::Orvane), &TNetBrowser::GoHome);
    button("btnNetBrowserSearch", QStringLiteral("Search the net for mp3 files"),
           TdmMenuImg::Icon(MenuImage::Find), &TNetBrowser::Search);

    cbURL_ = new QComboBox(tbNetBrowser_);
    cbURL_->setObjectName(QStringLiteral("cbURL"));
    cbURL_->setEditable(true);
    // Every address entered is added by addressEntered, repeats included.
    cbURL_->setInsertPolicy(QComboBox::NoInsert);
    cbURL_->setDuplicatesEnabled(true);
    cbURL_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    cbURL_->setMinimumContentsLength(30);
    tbNetBrowser_->addWidget(cbURL_);
    // On the release of Enter: its press reaches the line edit twice, through the combo box.
    cbURL_->lineEdit()->installEventFilter(this);

    QAction* go = tbNetBrowser_->addAction(QStringLiteral("&GO!"));
    go->setObjectName(QStringLiteral("btnNetBrowser"));
    go->setEnabled(false);
    go->setVisible(false);
    connect(go, &QAction::triggered, this,
            [this] { Navigate(QUrl::fromUserInput(cbURL_->currentText())); });

    pmChannels_ = new QMenu(this);
    pmChannels_->setObjectName(QStringLiteral("pmChannels"));
    pmChannels_->setToolTipsVisible(true);
    for (const auto& [caption, address] : kChannels) {
        if (!*caption) {
            pmChannels_->addSeparator();
            continue;
        }
        QAction* channel = pmChannels_->addAction(QString::fromLatin1(caption));
        channel->setToolTip(QString::fromLatin1(address));
        channel->setStatusTip(channel->toolTip());
        connect(channel, &QAction::triggered, this,
                [this, channel] { Navigate(QUrl(channel->toolTip())); });
    }
    auto* channels = new QToolButton(tbNetBrowser_);
    channels->setObjectName(QStringLiteral("btnNetBrowserChannels"));
    channels->setText(QStringLiteral("Channels"));
    channels->setMenu(pmChannels_);
    channels->setPopupMode(QToolButton::InstantPopup);
    channels->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tbNetBrowser_->addWidget(channels);

    placeholder_ = new QLabel(this);
    placeholder_->setAlignment(Qt::AlignCenter);
    placeholder_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tbNetBrowser_);
    layout->addWidget(placeholder_, 1);
}

TNetBrowser::~TNetBrowser() {
    // The page must go before the profile it runs in.
    delete view_;
}

QToolButton* TNetBrowser::Button(const QString& name) const {
    return tbNetBrowser_->findChild<QToolButton*>(name);
}

void TNetBrowser::SetHomePage(const QString& file) {
    home_ = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (guard_)
        guard_->SetFolder(QFileInfo(file).absolutePath());
}

void TNetBrowser::Navigate(const QUrl& url) {
    if (url.isEmpty())
        return;
    requested_ = url;
    if (view_)
        view_->load(url);
}

void TNetBrowser::Back() {
    if (view_)
        view_->back();
}

void TNetBrowser::Forward() {
    if (view_)
        view_->forward();
}

void TNetBrowser::Refresh() {
    if (view_)
        view_->reload();
}

void TNetBrowser::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!view_)
        makeView();
}

void TNetBrowser::makeView() {
    if (SandboxStopsTheWebEngine()) {
        placeholder_->setText(
            QStringLiteral("The web browser cannot run for the system administrator (root).\n"
                           "Start Orvane as a normal user to browse the web."));
        return;
    }
    profile_ = new QWebEngineProfile(this); // no name: kept in memory only
    guard_ = new TLocalFileGuard(profile_);
    if (!home_.isEmpty())
        guard_->SetFolder(QFileInfo(home_.toLocalFile()).absolutePath());
    profile_->setUrlRequestInterceptor(guard_);
    QWebEngineSettings* settings = profile_->settings();
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);

    view_ = new QWebEngineView(this);
    view_->setObjectName(QStringLiteral("NetBrowserView"));
    view_->setPage(new TNetPage(profile_, this, view_)); // goes with the view
    connect(view_, &QWebEngineView::urlChanged, this, &TNetBrowser::urlShown);
    delete layout()->replaceWidget(placeholder_, view_); // the item given back is ours
    placeholder_->hide();
    if (!requested_.isEmpty())
        view_->load(requested_);
}

bool TNetBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbURL_->lineEdit() && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat())
            addressEntered();
    }
    return QWidget::eventFilter(watched, event);
}

void TNetBrowser::addressEntered() {
    const QString text = cbURL_->currentText().trimmed();
    if (text.isEmpty())
        return;
    Navigate(QUrl::fromUserInput(text));
    cbURL_->addItem(text);
    cbURL_->setEditText(text);
    cbURL_->lineEdit()->selectAll();
}

void TNetBrowser::urlShown(const QUrl& url) {
    cbURL_->setEditText(url.toString());
    if (auto* back = tbNetBrowser_->findChild<QAction*>(QStringLiteral("btnNetBrowserBack")))
        back->setEnabled(view_->history()->canGoBack());
    if (auto* next = tbNetBrowser_->findChild<QAction*>(QStringLiteral("btnNetBrowserNext")))
        next->setEnabled(view_->history()->canGoForward());
}

} // namespace orvane
