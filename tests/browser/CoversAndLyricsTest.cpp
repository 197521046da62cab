// Covers and lyrics in the main window offscreen, over real MP3, picture and HTML files.

#include "browser/CoversAndLyrics.h"
#include "browser/CoverPictures.h"
#include "browser/LyricsBrowser.h"
#include "browser/TfrmCoverBrowser.h"
#include "browser/TfrmMain.h"
#include "store/SongStore.h"
#include "support/EventLoop.h"
#include "support/FileBytes.h"
#include "support/Id3v2Fixture.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/WidgetTestApp.h"

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace Qt::StringLiterals;
using test::ReadFile;
using test::WriteFile;

class CoversAndLyricsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = dir.path() + u'/';
        window.SetPrompts(&prompts);
        window.SetStore(&store);
        window.SetProgramFolder(folder);
        window.resize(1000, 700);
        window.Library.ShowAlbumSongs = [this](const QString&, SongRows& target) {
            target = rows;
        };
        covers = new TCoversAndLyrics(window, prompts);
        window.show();
    }

    // A song file with the tag's title and artist, and its row with the collection's values.
    SongRow Song(const QString& file, const QString& tagTitle, const QString& tagArtist,
                 const QString& artist, const QString& album) {
        WriteTag(file, tagTitle, tagArtist);
        return {tagTitle, artist, album, u"00:01"_s, {}, {}, {}, file, dir.path(), {}, u"0"_s};
    }
    void WriteTag(const QString& file, const QString& title, const QString& artist) {
        ASSERT_TRUE(
            WriteFile(dir.file(file),
                      test::MakeMpegStream({}) + test::MakeId3v1(title, artist, {}, {}, {}, 0, 0)));
    }
    QString Picture(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(dir.file(name)));
        return dir.file(name);
    }
    void Show(SongRows songs, int select) {
        rows = std::move(songs);
        window.ShowSongsIn(window.lvSelection(), rows);
        SelectRow(select);
    }
    void SelectRow(int row) {
        TSongListView* list = window.lvSelection();
        list->setCurrentIndex(list->Songs()->index(row, 0));
    }
    QLabel* Cover() const { return window.imgAlbumCover(); }
    // "picture WxH" once the wanted picture is shown, else the panel's caption (a song file
    // without a picture of its own is wanted until it has been read).
    QString CoverShown() {
        test::ProcessUntil([&] { return !covers->Pictures().Busy(); });
        if (!covers->WantedCover().isEmpty())
            test::ProcessUntil([&] { return !Cover()->pixmap().isNull(); });
        const QPixmap p = Cover()->pixmap();
        return p.isNull() ? Cover()->text() : u"picture %1x%2"_s.arg(p.width()).arg(p.height());
    }
    void Run(const char* command) {
        QAction* action = window.Command(QString::fromLatin1(command));
        ASSERT_TRUE(action->isEnabled()) << command;
        action->trigger();
    }

    test::TempDir dir;
    QString folder;
    test::ScriptedPrompts prompts;
    SongStore store;
    TfrmMain window;
    TCoversAndLyrics* covers = nullptr;
    SongRows rows;
};

TEST_F(CoversAndLyricsTest, CoversFollowTheArtistAndAlbumOfTheRowOrTheAlbumEntry) {
    const QString wide = Picture(u"wide.png"_s, {400, 200});
    Show({Song(u"1.mp3"_s, u"One"_s, u"Ann"_s, u"Ann"_s, u"Gold"_s),
          Song(u"2.mp3"_s, u"Two"_s, u"Bob"_s, u"Bob"_s, u"Gold"_s),
          Song(u"3.mp3"_s, u"Three"_s, u"ANN"_s, u"ANN"_s, u"gold"_s)},
         0);
    EXPECT_EQ(CoverShown(), u"No cover image");

    prompts.AnswerFile(wide);
    Run("Loadcoverimage2");
    EXPECT_TRUE(
        prompts.lastFilters().startsWith(u"Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp)"));
    EXPECT_EQ(ReadFile(folder + u"covers.ini"_s),
              "[covers]\r\nAnn | Gold=" + wide.toUtf8() + "\r\n");
    // Kept in proportion inside the panel.
    const QSize box = Cover()->contentsRect().size();
    const QString fitted = box.width() >= 2 * box.height()
                               ? u"picture %1x%2"_s.arg(box.height() * 2).arg(box.height())
                               : u"picture %1x%2"_s.arg(box.width()).arg(box.width() / 2);
    EXPECT_EQ(CoverShown(), fitted);

    SelectRow(1); // another artist of the same album has no cover
    EXPECT_EQ(CoverShown(), u"No cover image");
    SelectRow(2); // the same key in other letter case has
    EXPECT_EQ(CoverShown(), fitted);

    // The album entry keeps the artist of the album's first song met.
    store.Browse.Albums.Add(u"Gold"_s, u"Bob"_s);
    window.SelectFolderNode(u"Albums"_s);
    window.lvAlbums()->setCurrentRow(0);
    EXPECT_EQ(CoverShown(), u"No cover image");
    store.Browse.Albums.Clear();
    store.Browse.Albums.Add(u"Gold"_s, u"Ann"_s);
    window.ShowAlbumList();
    window.lvAlbums()->setCurrentRow(-1);
    window.lvAlbums()->setCurrentRow(0);
    EXPECT_EQ(CoverShown(), fitted);

    // Deleting on a song without a link changes nothing in the file but hides the picture.
    const QByteArray before = ReadFile(folder + u"covers.ini"_s);
    SelectRow(1);
    SelectRow(0);
    EXPECT_EQ(CoverShown(), fitted);
    window.lvSelection()->Songs()->SetRows({rows[1]});
    SelectRow(0);
    Run("Deletecoverimage2");
    EXPECT_EQ(CoverShown(), u"No cover image");
    EXPECT_EQ(ReadFile(folder + u"covers.ini"_s), before);
    // The album entry's command removes its key.
    window.lvAlbums()->setCurrentRow(-1);
    window.lvAlbums()->setCurrentRow(0);
    EXPECT_EQ(CoverShown(), fitted);
    window.Command(u"Deletecoverimage1"_s)->trigger();
    EXPECT_EQ(CoverShown(), u"No cover image");
    EXPECT_EQ(ReadFile(folder + u"covers.ini"_s), "[covers]\r\n");
}

TEST_F(CoversAndLyricsTest, TheSongsOwnPictureStandsInWhenNoneIsLinked) {
    const QByteArray tag = test::MakeId3v2Tag(3, {test::PictureFrame(3, test::TinyJpeg())});
    ASSERT_TRUE(WriteFile(dir.file(u"p.mp3"_s), tag + test::MakeMpegStream({})));
    Show({{u"P"_s, u"Ann"_s, u"Blue"_s, u"00:01"_s, {}, {}, {}, u"p.mp3"_s, dir.path(), {}, u"0"_s},
          Song(u"1.mp3"_s, u"One"_s, u"Ann"_s, u"Ann"_s, u"Red"_s)},
         0);
    const QSize box = Cover()->contentsRect().size();
    EXPECT_EQ(CoverShown(), u"picture %1x%1"_s.arg(std::min(box.width(), box.height())));
    EXPECT_TRUE(covers->WantedCoverIsEmbedded());

    // A song without a picture of its own shows none, and nothing is reported.
    SelectRow(1);
    EXPECT_EQ(CoverShown(), u"No cover image");
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty());

    // A link wins over the picture in the file.
    SelectRow(0);
    prompts.AnswerFile(Picture(u"wide.png"_s, {400, 200}));
    Run("Loadcoverimage2");
    SelectRow(1);
    SelectRow(0);
    EXPECT_EQ(covers->WantedCover(), dir.file(u"wide.png"_s));
    EXPECT_FALSE(covers->WantedCoverIsEmbedded());
}

TEST_F(CoversAndLyricsTest, UnreadablePicturesShowNoCoverAndAreToldOnce) {
    const QString notPicture = dir.file(u"notes.png"_s);
    ASSERT_TRUE(WriteFile(notPicture, "these are words"));
    const QString good = Picture(u"good.jpg"_s, {50, 50});
    // Written by hand: CRLF, blanks around keys and values, other letter case.
    ASSERT_TRUE(WriteFile(folder + u"covers.ini"_s,
                          " [Covers]\r\n  ann | gone = " + dir.file(u"gone.jpg"_s).toUtf8() +
                              "\r\nANN | NOTES=" + notPicture.toUtf8() + "\r\nAnn | Good =\t" +
                              good.toUtf8() + "  \r\n"));
    Show({Song(u"1.mp3"_s, u"One"_s, u"Ann"_s, u"Ann"_s, u"Gone"_s),
          Song(u"2.mp3"_s, u"Two"_s, u"Ann"_s, u"Ann"_s, u"Notes"_s),
          Song(u"3.mp3"_s, u"Three"_s, u"Ann"_s, u"Ann"_s, u"Good"_s)},
         0);
    QStatusBar* bar = window.statusBar();
    for (int row : {0, 1}) {
        SelectRow(row);
        test::ProcessUntil([&] { return !bar->currentMessage().isEmpty(); });
        EXPECT_EQ(CoverShown(), u"No cover image");
        EXPECT_TRUE(bar->currentMessage().contains(row == 0 ? u"gone.jpg" : u"notes.png"))
            << bar->currentMessage().toStdString();
        bar->clearMessage();
    }
    SelectRow(2);
    const QSize box = Cover()->contentsRect().size();
    const int side = std::min(box.width(), box.height());
    EXPECT_EQ(CoverShown(), u"picture %1x%1"_s.arg(side));
    // Once per file: coming back tells nothing more.
    SelectRow(1);
    EXPECT_EQ(CoverShown(), u"No cover image");
    EXPECT_EQ(bar->currentMessage(), u"");
}

TEST_F(CoversAndLyricsTest, LyricsFollowTheTagInTheFileAndStayLocal) {
    QDir(dir.path()).mkdir(u"lyrics"_s);
    Picture(u"lyrics/pic.png"_s, {8, 8});
    const QString outside = Picture(u"outside.png"_s, {8, 8});
    const QString html = dir.file(u"lyrics/song.html"_s);
    ASSERT_TRUE(WriteFile(html, "<html><body><p>First line</p><img src=\"pic.png\">"
                                "<img src=\"http://example.invalid/x.png\">"
                                "<img src=\"../outside.png\"><a href=\"http://example.invalid\">"
                                "link</a></body></html>"));
    // Neither title nor artist in the tag: the key is the bar alone.
    Show({Song(u"1.mp3"_s, {}, {}, u"Ann"_s, u"Gold"_s),
          Song(u"2.mp3"_s, u"Tune"_s, u"Ann"_s, u"Ann"_s, u"Gold"_s)},
         0);
    auto* lyrics = qobject_cast<TLyricsBrowser*>(window.htmlLyrics());
    ASSERT_TRUE(lyrics);
    EXPECT_EQ(lyrics->toPlainText(), u"");
    EXPECT_EQ(lyrics->placeholderText(), u"No lyrics available");

    prompts.AnswerFile(html);
    Run("Lyricsfile1");
    EXPECT_EQ(ReadFile(folder + u"lyrics.ini"_s), "[lyrics]\r\n|=" + html.toUtf8() + "\r\n");
    EXPECT_TRUE(lyrics->toPlainText().startsWith(u"First line"));
    // Pictures only from the document's folder; nothing from the network.
    QTextDocument* doc = lyrics->document();
    EXPECT_FALSE(doc->resource(QTextDocument::ImageResource, QUrl(u"pic.png"_s)).isNull());
    for (const QString& url : {u"http://example.invalid/x.png"_s, u"../outside.png"_s,
                               QUrl::fromLocalFile(outside).toString()})
        EXPECT_TRUE(lyrics->loadResource(QTextDocument::ImageResource, QUrl(url)).isNull())
            << url.toStdString();

    // Hand-written key in other letter case; then the file is retagged outside the program:
    // the collection's row is the same, the link is lost.
    ASSERT_TRUE(
        WriteFile(folder + u"lyrics.ini"_s, "[LYRICS]\ntune|ANN = " + html.toUtf8() + "\n"));
    SelectRow(1);
    EXPECT_TRUE(lyrics->toPlainText().startsWith(u"First line"));
    WriteTag(u"2.mp3"_s, u"Tune (live)"_s, u"Ann"_s);
    SelectRow(0);
    SelectRow(1);
    EXPECT_EQ(lyrics->toPlainText(), u"");

    // A linked document that is gone shows nothing.
    WriteTag(u"2.mp3"_s, u"Tune"_s, u"Ann"_s);
    ASSERT_TRUE(QFile::remove(html));
    SelectRow(0);
    SelectRow(1);
    EXPECT_EQ(lyrics->toPlainText(), u"");
}

TEST_F(CoversAndLyricsTest, CoverBrowserDeletesTheLinkItShowed) {
    const QString pic = Picture(u"p.png"_s, {20, 20});
    ASSERT_TRUE(WriteFile(folder + u"covers.ini"_s,
                          "[covers]\r\nb | x=/p1\r\nA | y=" + pic.toUtf8() + "\r\nc | z=/p3\r\n"));
    TfrmCoverBrowser browser(covers->Links(), covers->Pictures(), prompts, &window);
    QListWidget* list = browser.lbCoverImage();
    auto entries = [&] {
        QStringList e;
        for (int i = 0; i < list->count(); ++i)
            e << list->item(i)->text();
        return e;
    };
    EXPECT_EQ(entries(), (QStringList{u"A | y"_s, u"b | x"_s, u"c | z"_s}));
    EXPECT_FALSE(browser.btnDelete()->isEnabled());

    list->setCurrentRow(0);
    test::ProcessUntil([&] { return !browser.imgCover()->pixmap().isNull(); });
    ASSERT_TRUE(browser.btnDelete()->isEnabled());
    browser.btnDelete()->click();
    EXPECT_EQ(ReadFile(folder + u"covers.ini"_s), "[covers]\r\nb | x=/p1\r\nc | z=/p3\r\n");
    EXPECT_EQ(entries(), (QStringList{u"b | x"_s, u"c | z"_s}));
    EXPECT_FALSE(browser.btnDelete()->isEnabled()); // a second press removes nothing more

    // Another program links another picture to the entry shown: it is not deleted.
    list->setCurrentRow(1);
    ASSERT_TRUE(WriteFile(folder + u"covers.ini"_s, "[covers]\r\nb | x=/p1\r\nc | z=/new\r\n"));
    browser.btnDelete()->click();
    EXPECT_EQ(ReadFile(folder + u"covers.ini"_s), "[covers]\r\nb | x=/p1\r\nc | z=/new\r\n");
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_TRUE(prompts.texts().front().contains(u"\"c | z\" was changed"));
}

// Picks a file while something else replaces the rows of the song list.
class ChangingPrompts : public test::ScriptedPrompts {
public:
    std::function<void()> whileOpen;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& start,
                                          const QString& filters) override {
        if (whileOpen)
            whileOpen();
        return ScriptedPrompts::chooseOpenFile(title, start, filters);
    }
};

TEST_F(CoversAndLyricsTest, LinksGoToTheSongTheCommandWasGivenAndFailuresAreTold) {
    ChangingPrompts changing;
    window.SetPrompts(&changing);
    TCoversAndLyrics own(window, changing);
    const QString pic = Picture(u"p.png"_s, {20, 20});
    Show({Song(u"1.mp3"_s, u"One"_s, u"Ann"_s, u"Ann"_s, u"Gold"_s)}, 0);
    const SongRow other = Song(u"2.mp3"_s, u"Two"_s, u"Bob"_s, u"Bob"_s, u"Blue"_s);
    changing.whileOpen = [&] {
        window.lvSelection()->Songs()->SetRows({other});
        SelectRow(0);
    };
    changing.AnswerFile(pic);
    Run("Loadcoverimage2");
    Show({rows[0]}, 0);
    changing.AnswerFile(pic);
    Run("Lyricsfile1");
    EXPECT_EQ(ReadFile(folder + u"covers.ini"_s),
              "[covers]\r\nAnn | Gold=" + pic.toUtf8() + "\r\n");
    EXPECT_EQ(ReadFile(folder + u"lyrics.ini"_s), "[lyrics]\r\nOne|Ann=" + pic.toUtf8() + "\r\n");

    // A folder in place of covers.ini: the link cannot be kept, and the user is told.
    changing.whileOpen = nullptr;
    ASSERT_TRUE(QFile::remove(folder + u"covers.ini"_s));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"covers.ini"_s));
    changing.AnswerFile(pic);
    Run("Loadcoverimage2");
    ASSERT_FALSE(changing.texts().isEmpty());
    EXPECT_EQ(
        changing.texts().back(),
        u"The cover link of \"Bob | Blue\" has not been changed: %1covers.ini cannot be read."_s
            .arg(folder));
}

} // namespace
} // namespace orvane
