// Moving through a list of 1,000 songs with the cover panel and the lyrics pane on: every song
// has lyrics, every album of ten songs a cover picture. The first pass reads the pictures, the
// second finds them cached. Runs offscreen; prints milliseconds per selection change.

#include "browser/CoversAndLyrics.h"
#include "browser/TfrmMain.h"
#include "store/SongStore.h"
#include "support/FileBytes.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

namespace orvane {
namespace {

constexpr int kSongs = 1000;
constexpr int kSongsPerAlbum = 10;

SongRows MakeCollection(const QString& folder) {
    QByteArray covers = "[covers]\r\n";
    QByteArray lyrics = "[lyrics]\r\n";
    SongRows rows;
    for (int i = 0; i < kSongs; ++i) {
        const int album = i / kSongsPerAlbum;
        SongRow r;
        r.Title = QStringLiteral("Song %1").arg(i);
        r.Artist = QStringLiteral("Artist %1").arg(album % 37);
        r.Album = QStringLiteral("Album %1").arg(album);
        r.FileName = QStringLiteral("song%1.mp3").arg(i);
        r.Folder = folder;
        r.Collection = kLocalCollection;
        r.NewFlag = QStringLiteral("0");
        test::WriteFile(folder + r.FileName,
                        test::MakeMpegStream({}) +
                            test::MakeId3v1(r.Title, r.Artist, r.Album, {}, {}, 0, 0));
        const QString text = folder + QStringLiteral("lyrics%1.txt").arg(i);
        test::WriteFile(text, "La la la\r\n" + r.Title.toUtf8() + "\r\n");
        lyrics += (r.Title + u'|' + r.Artist + u'=' + text + QStringLiteral("\r\n")).toUtf8();
        if (i % kSongsPerAlbum == 0) {
            const QString picture = folder + QStringLiteral("cover%1.jpg").arg(album);
            QImage image(500, 500, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(album * 3 % 360, 200, 200));
            image.save(picture);
            covers += (r.Artist + QStringLiteral(" | ") + r.Album + u'=' + picture +
                       QStringLiteral("\r\n"))
                          .toUtf8();
        }
        rows.push_back(std::move(r));
    }
    test::WriteFile(folder + QStringLiteral("covers.ini"), covers);
    test::WriteFile(folder + QStringLiteral("lyrics.ini"), lyrics);
    return rows;
}

qint64 panesNs = 0; // time spent in the cover and lyrics hooks

// Wraps the window's cover and lyrics hooks to add up their time.
void TimeHooks(TfrmMain& window) {
    auto cover = window.Library.ShowCover;
    auto lyrics = window.Library.ShowLyrics;
    window.Library.ShowCover = [cover](const QString& artist, const QString& album,
                                       const QString& song) {
        QElapsedTimer t;
        t.start();
        cover(artist, album, song);
        panesNs += t.nsecsElapsed();
    };
    window.Library.ShowLyrics = [lyrics](const SongRow& row) {
        QElapsedTimer t;
        t.start();
        lyrics(row);
        panesNs += t.nsecsElapsed();
    };
}

void Pass(TfrmMain& window, const char* name) {
    TSongListView* list = window.lvSelection();
    panesNs = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kSongs; ++i) {
        list->setCurrentIndex(list->Songs()->index(i, 0));
        QCoreApplication::processEvents();
    }
    std::printf("  %s: %.3f ms each, %.3f ms of it in the cover and lyrics panes\n", name,
                double(timer.nsecsElapsed()) / 1e6 / kSongs, double(panesNs) / 1e6 / kSongs);
}

} // namespace
} // namespace orvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    orvane::SongRows rows = orvane::MakeCollection(folder);

    orvane::test::ScriptedPrompts prompts;
    orvane::SongStore store;
    orvane::TfrmMain window;
    window.SetPrompts(&prompts);
    window.SetStore(&store);
    window.SetProgramFolder(folder);
    std::optional<orvane::TCoversAndLyrics> covers;
    if (!qEnvironmentVariableIsSet("BENCH_NO_PANES"))
        covers.emplace(window, prompts);
    window.resize(1100, 750);
    window.show();
    window.ShowSongsIn(window.lvSelection(), std::move(rows));
    QCoreApplication::processEvents();

    std::printf("selection changes, cover and lyrics on, %d songs\n", orvane::kSongs);
    if (covers)
        orvane::TimeHooks(window);
    orvane::Pass(window, "first pass (pictures read)");
    orvane::Pass(window, "second pass");
    return 0;
}
