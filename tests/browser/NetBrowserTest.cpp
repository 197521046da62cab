// The net browser with the real web engine, offscreen, over local pages; the engine comes from
// the module of this build, loaded when the page is first shown.

#include "browser/NetBrowser.h"
#include "browser/WebView.h"
#include "browser/WebViewModule.h"
#include "support/EventLoop.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ProcessUntil;

class NetBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        ASSERT_TRUE(QDir().mkpath(dir.file(u"html"_s)) && QDir().mkpath(dir.file(u"help"_s)) &&
                    QDir().mkpath(dir.file(u"private"_s)));
        home = Page(u"html/orvane_startpage.htm"_s, u"Home"_s);
        a = Page(u"html/a.htm"_s, u"A"_s);
        b = Page(u"html/b.htm"_s, u"B"_s);
        outside = Page(u"private/secret.htm"_s, u"Secret"_s);
        browser.resize(800, 600);
        browser.SetWebViewModule(QString::fromUtf8(ORVANE_WEBVIEW_MODULE));
        browser.SetHomePage(home.toLocalFile());
    }
    QUrl Page(const QString& name, const QString& title, const QByteArray& body = {}) {
        EXPECT_TRUE(test::WriteFile(dir.file(name), "<html><head><title>" + title.toUtf8() +
                                                        "</title></head><body>" + body +
                                                        "</body></html>"));
        return QUrl::fromLocalFile(dir.file(name));
    }
    void Enter(const QUrl& url) {
        browser.cbURL()->setEditText(url.toString());
        // Where the desktop sends it: the line edit hands its focus to the combo box.
        QTest::keyClick(browser.cbURL(), Qt::Key_Return);
    }
    // Waits until the page of url is shown, and the address box says so.
    void Shows(const QUrl& url) {
        const QString name = QFileInfo(url.toLocalFile()).baseName();
        const QString title = name == u"orvane_startpage" ? u"Home"_s : name.toUpper();
        ProcessUntil([&] {
            return browser.View() && browser.View()->Url() == url &&
                   browser.cbURL()->currentText() == url.toString() &&
                   browser.View()->Title() == title;
        });
    }

    test::TempDir dir;
    TNetBrowser browser;
    QUrl home, a, b, outside;
};

TEST_F(NetBrowserTest, TheViewIsMadeWhenFirstShownAndThenOpensTheAddressAskedFor) {
    browser.GoHome();
    EXPECT_EQ(browser.View(), nullptr) << "no web engine before the page is shown";
    EXPECT_EQ(browser.RequestedUrl(), home);
    browser.show();
    ASSERT_NE(browser.View(), nullptr);
    Shows(home);
}

TEST_F(NetBrowserTest, AsRootWithItsSandboxOnTheWebEngineIsNotStarted) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root is refused by the web engine";
    const QByteArray sandbox = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    browser.show(); // would end the whole process
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", sandbox);
    EXPECT_EQ(browser.View(), nullptr);
    EXPECT_TRUE(browser.PlaceholderText().contains(u"normal user"_s));
}

TEST_F(NetBrowserTest, WithoutItsModuleThePageSaysWhyAndTheRestGoesOn) {
    // The module is looked for beside the executable, then in its ../lib/orvane/.
    ASSERT_TRUE(QDir().mkpath(dir.file(u"bin"_s)) && QDir().mkpath(dir.file(u"lib/orvane"_s)));
    EXPECT_EQ(WebViewModuleFile(dir.file(u"bin"_s)), QString());
    ASSERT_TRUE(test::WriteFile(dir.file(u"lib/orvane/orvane_webview.so"_s), "not a library"));
    EXPECT_EQ(WebViewModuleFile(dir.file(u"bin"_s)), dir.file(u"lib/orvane/orvane_webview.so"_s));
    ASSERT_TRUE(test::WriteFile(dir.file(u"bin/orvane_webview.so"_s), "not a library"));
    EXPECT_EQ(WebViewModuleFile(dir.file(u"bin"_s)), dir.file(u"bin/orvane_webview.so"_s));

    for (const QString& module : {QString(), dir.file(u"bin/orvane_webview.so"_s)}) {
        TNetBrowser broken;
        broken.SetWebViewModule(module);
        broken.GoHome();
        broken.show();
        EXPECT_EQ(broken.View(), nullptr);
        EXPECT_TRUE(broken.PlaceholderText().startsWith(u"The web browser is not available"_s))
            << broken.PlaceholderText().toStdString();
        EXPECT_FALSE(broken.Button(u"btnNetBrowserBack"_s)->isEnabled());
        EXPECT_FALSE(broken.Button(u"btnNetBrowserNext"_s)->isEnabled());
        broken.Back();
        broken.Forward();
        broken.Refresh();
        broken.Navigate(a);
        EXPECT_EQ(broken.RequestedUrl(), a);
    }
}

TEST_F(NetBrowserTest, TheAddressBoxAddsEveryEntryAndFollowsBackForwardAndHome) {
    browser.show();
    Enter(a);
    Enter(a);
    EXPECT_EQ(browser.cbURL()->count(), 2) << "repeats are kept";
    EXPECT_EQ(browser.cbURL()->lineEdit()->selectedText(), a.toString());
    Shows(a);
    Enter(b);
    Shows(b);
    // Back and forward are offered once there is somewhere to go.
    QToolButton* back = browser.Button(u"btnNetBrowserBack"_s);
    QToolButton* next = browser.Button(u"btnNetBrowserNext"_s);
    EXPECT_FALSE(next->isEnabled());
    ProcessUntil([&] { return back->isEnabled(); });
    back->click();
    Shows(a);
    ProcessUntil([&] { return next->isEnabled(); });
    next->click();
    Shows(b);
    browser.Button(u"btnNetBrowserHome"_s)->click();
    Shows(home);
    EXPECT_EQ(browser.cbURL()->count(), 3);

    // A channel goes to the address its hint holds.
    QList<QAction*> channels = browser.pmChannels()->actions();
    QStringList captions;
    for (QAction* channel : channels)
        captions.append(channel->isSeparator() ? u"-"_s : channel->text());
    EXPECT_EQ(captions, (QStringList{u"AudioGalaxy"_s, u"Dimension Music"_s, u"Direct Downloads"_s,
                                     u"Music lover"_s, u"ccmixter.org"_s, u"Rio port"_s, u"-"_s,
                                     u"BoxMP3"_s, u"Lycos MP3Search"_s, u"MP3Spy"_s}));
    channels.first()->setToolTip(a.toString());
    channels.first()->trigger();
    Shows(a);
}

TEST_F(NetBrowserTest, LocalFilesOutsideTheStartPagesFolderAreRefusedAndHelpLinksGoToHelp) {
    QString help;
    browser.OnHelpLink = [&](const QString& page) {
        help = page;
    };
    QList<std::pair<QUrl, bool>> loads;
    QObject::connect(&browser, &TNetBrowser::LoadFinished, [&](const QUrl& url, bool ok) {
        loads.append({url, ok});
    });
    browser.show();
    browser.GoHome();
    ProcessUntil([&] { return loads.contains(std::pair(home, true)); });
    // The page outside is never shown; the next address is.
    browser.Navigate(outside);
    ProcessUntil([&] { return loads.contains(std::pair(outside, false)); });
    EXPECT_NE(browser.View()->Title(), u"Secret");
    Enter(a);
    Shows(a);

    // A page whose link to a help page is followed as soon as it is shown.
    const QUrl links = Page(u"html/links.htm"_s, u"Links"_s,
                            "<a id=\"help\" href=\"../help/player.htm#wav\">help</a>"
                            "<script>document.getElementById('help').click();</script>");
    Enter(links);
    ProcessUntil([&] { return !help.isEmpty(); });
    EXPECT_EQ(help, u"player.htm#wav");
    EXPECT_EQ(browser.View()->Url(), links);
}

} // namespace
} // namespace orvane
