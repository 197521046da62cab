#include "browser/NetBrowser.h"

#include "browser/MenuImages.h"
#include "browser/WebView.h"
#include "browser/WebViewModule.h"

#include <QComboBox>
#include <QCoreApplication>
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

bool IsHelpPage(const QUrl& url) {
    const QFileInfo file(url.toLocalFile());
    return url.isLocalFile() && file.dir().dirName() == QStringLiteral("help") &&
           file.suffix() == QStringLiteral("htm");
}

// The web engine ends the whole process when it is started as root with its sandbox on; the
// page then says why instead of taking the program, and the collection not yet saved, with it.
bool SandboxStopsTheWebEngine() {
    if (::geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return false;
    return !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(u"--no-sandbox");
}

} // namespace

QUrl TNetBrowser::SearchPage() {
    return QUrl(QStringLiteral("https://archive.org/search?query=mp3&sin="));
}

TNetBrowser::TNetBrowser(QWidget* parent)
    : QWidget(parent)
    , module_(WebViewModuleFile(QCoreApplication::applicationDirPath())) {
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
    // Back and forward wait for a history (historyChanged).
    button("btnNetBrowserBack", QStringLiteral("Back"), style()->standardIcon(QStyle::SP_ArrowBack),
           &TNetBrowser::Back)
        ->setEnabled(false);
    button("btnNetBrowserNext", QStringLiteral("Forward"),
           style()->standardIcon(QStyle::SP_ArrowForward), &TNetBrowser::Forward)
        ->setEnabled(false);
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
    // On the release of Enter, at the combo box: the focus widget, whose line edit gets its keys
    // handed on past any filter (and the press twice over).
    cbURL_->installEventFilter(this);

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
    // The view goes first, and says nothing more to this half-destroyed browser.
    if (view_) {
        view_->OnUrlChanged = nullptr;
        view_->OnLoadFinished = nullptr;
        view_->OnLinkClicked = nullptr;
        view_.reset();
    }
}

QString TNetBrowser::PlaceholderText() const {
    return placeholder_->text();
}

QToolButton* TNetBrowser::Button(const QString& name) const {
    return tbNetBrowser_->findChild<QToolButton*>(name);
}

void TNetBrowser::SetHomePage(const QString& file) {
    home_ = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (view_)
        view_->SetLocalFolder(QFileInfo(file).absolutePath());
}

void TNetBrowser::Navigate(const QUrl& url) {
    if (url.isEmpty())
        return;
    requested_ = url;
    if (view_)
        view_->Load(url);
}

void TNetBrowser::Back() {
    if (view_)
        view_->Back();
}

void TNetBrowser::Forward() {
    if (view_)
        view_->Forward();
}

void TNetBrowser::Refresh() {
    if (view_)
        view_->Reload();
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
    QString error;
    view_ = MakeWebView(module_, this, error);
    if (!view_) {
        placeholder_->setText(
            QStringLiteral("The web browser is not available: its module could not "
                           "be loaded.\n%1")
                .arg(error));
        return;
    }
    view_->Widget()->setObjectName(QStringLiteral("NetBrowserView"));
    if (!home_.isEmpty())
        view_->SetLocalFolder(QFileInfo(home_.toLocalFile()).absolutePath());
    view_->OnUrlChanged = [this](const QUrl& url) {
        urlShown(url);
    };
    view_->OnLoadFinished = [this](const QUrl& url, bool ok) {
        historyChanged();
        emit LoadFinished(url, ok);
    };
    view_->OnLinkClicked = [this](const QUrl& url) {
        if (!IsHelpPage(url) || !OnHelpLink)
            return false;
        QString page = QFileInfo(url.toLocalFile()).fileName();
        if (url.hasFragment())
            page += u'#' + url.fragment();
        OnHelpLink(page);
        return true;
    };
    delete layout()->replaceWidget(placeholder_, view_->Widget()); // the item given back is ours
    placeholder_->hide();
    if (!requested_.isEmpty())
        view_->Load(requested_);
}

bool TNetBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbURL_ && event->type() == QEvent::KeyRelease) {
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
    historyChanged();
}

void TNetBrowser::historyChanged() {
    if (auto* back = tbNetBrowser_->findChild<QAction*>(QStringLiteral("btnNetBrowserBack")))
        back->setEnabled(view_->CanGoBack());
    if (auto* next = tbNetBrowser_->findChild<QAction*>(QStringLiteral("btnNetBrowserNext")))
        next->setEnabled(view_->CanGoForward());
}

} // namespace orvane
