// The Help menu, F1 and the about window, over the help pages shipped in data/help.

#include "browser/HelpCommands.h"
#include "browser/TfrmAbout.h"
#include "browser/TfrmGroupName.h"
#include "browser/TfrmMain.h"
#include "support/EventLoop.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;

const QString kHelpFolder = QStringLiteral(ORVANE_SOURCE_DIR "/data/help");

class HelpCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetPrompts(&prompts);
        help = new THelpCommands(window, prompts, kHelpFolder, u"7.8.9"_s);
        help->SetOpener([this](const QUrl& url) {
            opened.append(url);
            return openerWorks;
        });
        window.show();
    }
    QString Shown() const { return help->HelpWindow()->PageView()->toPlainText(); }
    // Runs check on the modal window the command opens, then closes it.
    void WhileModal(QAction* command, const std::function<void(QWidget&)>& check) {
        bool checked = false;
        QTimer::singleShot(0, [&] {
            test::ProcessUntil([] { return QApplication::activeModalWidget() != nullptr; });
            check(*QApplication::activeModalWidget());
            checked = true;
            QApplication::activeModalWidget()->close();
        });
        command->trigger();
        EXPECT_TRUE(checked);
    }

    test::ScriptedPrompts prompts;
    TfrmMain window;
    THelpCommands* help = nullptr;
    QList<QUrl> opened;
    bool openerWorks = false;
};

TEST_F(HelpCommandsTest, TopicsAndIndexOpenTheirTabsAndTheIndexFindsAsOneTypes) {
    window.Command(u"Index1"_s)->trigger();
    THelpWindow* shown = help->HelpWindow();
    ASSERT_TRUE(shown && shown->isVisible());
    EXPECT_EQ(shown->Tabs()->currentIndex(), int(THelpWindow::Tab::Index));
    EXPECT_TRUE(Shown().contains(u"Getting started"_s)) << "the first topic is shown";

    QTest::keyClicks(shown->IndexFind(), u"equ"_s);
    ASSERT_TRUE(shown->IndexList()->currentItem());
    EXPECT_EQ(shown->IndexList()->currentItem()->text(), u"Equalizer");
    QTest::keyClick(shown->IndexFind(), Qt::Key_Return);
    EXPECT_TRUE(Shown().contains(u"eight sliders"_s));
    EXPECT_TRUE(shown->IndexList()->item(0)->isHidden()) << "Albums does not match";

    window.Command(u"Helpcontents1"_s)->trigger();
    EXPECT_EQ(help->HelpWindow(), shown) << "one help window";
    EXPECT_EQ(shown->Tabs()->currentIndex(), int(THelpWindow::Tab::Contents));
    shown->Tabs()->setCurrentIndex(1);
    window.Button(u"btnHelp"_s)->click();
    EXPECT_EQ(shown->Tabs()->currentIndex(), int(THelpWindow::Tab::Contents));
}

TEST_F(HelpCommandsTest, F1ShowsThePageOfTheWindowInFocusAlsoOverAModalDialog) {
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_TRUE(help->HelpWindow());
    EXPECT_TRUE(Shown().contains(u"Menus and commands"_s));

    WhileModal(window.Command(u"About2"_s), [&](QWidget& about) {
        QTest::keyClick(&about, Qt::Key_F1);
        ASSERT_TRUE(help->HelpWindow());
        EXPECT_EQ(help->HelpWindow()->parentWidget(), &about) << "not blocked by the dialog";
        EXPECT_TRUE(help->HelpWindow()->windowFlags() & Qt::WindowStaysOnTopHint)
            << "not hidden behind it";
        EXPECT_TRUE(Shown().contains(u"Info and web pages"_s));
    });
    test::ProcessUntil([&] { return help->HelpWindow() == nullptr; });
    window.Command(u"Helpcontents1"_s)->trigger();
    EXPECT_TRUE(help->HelpWindow() && help->HelpWindow()->isVisible()) << "made again";
}

TEST_F(HelpCommandsTest, TheRenameGroupDialogsHelpShowsTheSideBarPage) {
    TfrmGroupName without(u"Rock"_s, {}, &window);
    EXPECT_FALSE(without.btnHelp()->isEnabled());
    TfrmGroupName dialog(
        u"Rock"_s, [this](QWidget* over) { help->ShowHelpFor(over); }, &window);
    dialog.btnHelp()->click();
    ASSERT_TRUE(help->HelpWindow());
    EXPECT_TRUE(Shown().contains(u"Rename group"_s));
}

// Every page the catalog or a page links to is there, with the anchor it names.
TEST_F(HelpCommandsTest, TheShippedHelpLinksOnlyToPagesAndAnchorsThatExist) {
    HelpCatalog catalog;
    ASSERT_TRUE(ReadHelpCatalog(kHelpFolder + u"/orvane.help"_s, catalog));
    EXPECT_GE(catalog.Contents.size(), 10);
    EXPECT_EQ(catalog.Contents.at(2).Level, 1) << "views sit under the main window";
    EXPECT_EQ(catalog.PageFor(u"orvane::TfrmTag"_s), u"tag-editor.htm");
    EXPECT_EQ(catalog.PageFor(u"orvane::Unknown"_s), u"index.htm");

    QStringList links;
    for (const auto* list : {&catalog.Contents, &catalog.Index, &catalog.Windows})
        for (const HelpTopic& topic : *list)
            links.append(topic.Page);
    const QDir folder(kHelpFolder);
    for (const QString& page : folder.entryList({u"*.htm"_s})) {
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        static const QRegularExpression href(u"href=\"([^\"]*)\""_s);
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString link = it.next().captured(1);
            links.append(link.startsWith(u'#') ? page + link : link);
        }
    }
    for (const QString& link : links) {
        const QString page = link.section(u'#', 0, 0), anchor = link.section(u'#', 1);
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << link.toStdString();
        if (!anchor.isEmpty()) {
            EXPECT_TRUE(file.readAll().contains("name=\"" + anchor.toUtf8() + '"'))
                << link.toStdString();
        }
    }

    test::TempDir empty;
    THelpWindow missing(empty.path());
    EXPECT_TRUE(missing.PageView()->toPlainText().contains(u"could not be read"_s));
}

TEST_F(HelpCommandsTest, WebPagesOpenInTheDefaultBrowserAndAFailureIsTold) {
    window.Command(u"Orvanewebsite1"_s)->trigger();
    window.Command(u"Productnews1"_s)->trigger();
    EXPECT_EQ(opened, (QList<QUrl>{kProductSite, kMakerSite}));
    EXPECT_EQ(prompts.texts(), QStringList(2, u"Unable to open your default browser."_s));
    EXPECT_EQ(prompts.shown().at(0).kind, PromptKind::Information);

    openerWorks = true;
    window.Command(u"Orvanewebsite1"_s)->trigger();
    EXPECT_EQ(prompts.texts().size(), 2);
}

TEST_F(HelpCommandsTest, TheAboutWindowShowsTheVersionOnTopAndItsLinkOpensTheMakersPage) {
    for (const QString& command : {u"About2"_s, u"Orvane1"_s})
        WhileModal(window.Command(command), [&](QWidget& shown) {
            auto* about = qobject_cast<TfrmAbout*>(&shown);
            ASSERT_TRUE(about);
            EXPECT_EQ(about->windowTitle(), u"Info");
            EXPECT_TRUE(about->windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_EQ(about->lblVersion()->text(), u"7.8.9");
            emit about->lblLink()->linkActivated(kMakerSite.toString());
        });
    EXPECT_EQ(opened, (QList<QUrl>{kMakerSite, kMakerSite}));
    EXPECT_EQ(prompts.texts(), QStringList(2, u"Unable to open your default browser."_s));
}

} // namespace
} // namespace orvane
