// The player joined to the main window, over a substitute engine that answers like the real
// one: the typical road from a double click to the end of the queue, the controls of the
// menus and toolbar, the seek bar, the time panel and the queue's Delete key.

#include "app/PlaybackWiring.h"
#include "app/TrayIcons.h"
#include "app/VolumeControl.h"
#include "browser/SideBar.h"
#include "browser/SideBarCommands.h"
#include "browser/SongListView.h"
#include "browser/TfrmMain.h"
#include "engine/MessageBuilder.h"
#include "playback/FakeXaudio.h"
#include "store/SongStore.h"
#include "support/MpegFixture.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include "support/WidgetTestApp.h"
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QSlider>
#include <QTextDocument>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

namespace orvane {
namespace {

using engine::MessageBuilder;
using namespace Qt::StringLiterals;

class PlaybackWiringTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake.AnswerLikeTheEngine([this](const test::FakeXaudio::Sent& sent) {
            if (sent.code == XA_MSG_COMMAND_INPUT_OPEN)
                opened << QString::fromStdString(sent.texts[0]);
            else if (sent.code == XA_MSG_COMMAND_INPUT_SEEK)
                seeks.push_back(sent.ints[0]);
        });
        window.SetPrompts(&prompts);
        window.SetStore(&store);
        window.SetProgramFolder(dir.path() + u'/');
        wiring = std::make_unique<PlaybackWiring>(window, tray, prompts, fake.Library());
        window.SelectFolderNode(u"Genres"_s); // a view whose song list is lvSelection
    }

    // Songs whose files exist, shown in lvSelection.
    SongRows ShowSongs(int count) {
        SongRows rows;
        for (int i = 0; i < count; ++i) {
            const SongRow row{u"Song %1"_s.arg(i),    u"Ann"_s,          {}, u"02:00"_s, {}, {}, {},
                              u"song%1.mp3"_s.arg(i), dir.path() + u'/', {}, {}};
            EXPECT_TRUE(test::WriteFile(row.Path(), test::MakeMpegStream({})));
            rows.push_back(row);
        }
        window.ShowSongsIn(window.lvSelection(), rows);
        return rows;
    }
    void Select(TSongListView* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(list->Songs()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void Settle() {
        wiring->Controller().XaudioPlayer().DeliverPending();
        QCoreApplication::processEvents();
    }
    void EndOfSong() {
        fake.PostState(XA_PLAYER_STATE_EOS);
        Settle();
    }
    void Trigger(const char* command) {
        QAction* action = window.Command(QString::fromLatin1(command));
        ASSERT_TRUE(action) << command;
        ASSERT_TRUE(action->isEnabled()) << command;
        action->trigger();
        Settle();
    }
    bool Enabled(const char* command) {
        return window.Command(QString::fromLatin1(command))->isEnabled();
    }
    // Which of Play, Pause and Stop are enabled.
    std::array<bool, 3> Buttons() {
        return {Enabled("btnPlay"), Enabled("btnPause"), Enabled("btnStop")};
    }
    int Queued() { return window.PlayingSongsModel()->rowCount(); }
    int PlayingRow() { return window.PlayingSongsModel()->PlayingRow(); }

    test::TempDir dir;
    test::FakeXaudio fake; // outlives the wiring
    test::ScriptedPrompts prompts;
    SongStore store;
    TfrmMain window;
    TrayIcons tray{nullptr, TrayIcons::Where::Always};
    std::unique_ptr<PlaybackWiring> wiring;
    QStringList opened;
    std::vector<int> seeks;
};

TEST_F(PlaybackWiringTest, DoubleClickPlaysTheSelectionToTheEnd) {
    EXPECT_EQ(window.StatusPanel(2)->text(), u"Stopped");
    EXPECT_EQ(window.StatusPanel(3)->text(), u"Time:");
    EXPECT_EQ(Buttons(), (std::array{true, false, false}));

    const SongRows songs = ShowSongs(4);
    Select(window.lvSelection(), {1, 2});
    const QModelIndex row = window.lvSelection()->Songs()->index(1, 0);
    emit window.lvSelection()->doubleClicked(row);
    Settle();
    EXPECT_EQ(Queued(), 2);
    EXPECT_EQ(opened, QStringList{songs[1].Path()});
    EXPECT_EQ(window.StatusPanel(2)->text(), u"Playing");
    EXPECT_TRUE(Enabled("btnPause"));
    EXPECT_TRUE(Enabled("btnStop"));
    EXPECT_EQ(window.PlayingSongsCaption()->text(), u"00:04:00");

    // Selecting rows elsewhere does not bring back what the player disabled.
    Trigger("btnPause");
    EXPECT_EQ(window.StatusPanel(2)->text(), u"Paused");
    Select(window.lvSelection(), {0});
    EXPECT_FALSE(Enabled("btnPause"));
    Trigger("Play2"); // resumes
    EXPECT_EQ(window.StatusPanel(2)->text(), u"Playing");

    EXPECT_EQ(PlayingRow(), 0);
    EndOfSong();
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.back(), songs[2].Path());
    EXPECT_EQ(PlayingRow(), 1) << "the mark follows the end of a song";
    EndOfSong();
    EXPECT_EQ(opened.size(), 2) << "nothing wraps around";
    EXPECT_EQ(PlayingRow(), -1);
    EXPECT_EQ(Buttons(), (std::array{true, true, false}));
}

TEST_F(PlaybackWiringTest, MenuAndToolbarControls) {
    const SongRows songs = ShowSongs(3);
    Trigger("Play2"); // the whole list of the view
    EXPECT_EQ(Queued(), 3);
    EXPECT_EQ(opened.back(), songs[0].Path());
    Trigger("btnNext");
    EXPECT_EQ(opened.back(), songs[1].Path());
    EXPECT_EQ(PlayingRow(), 1);
    EXPECT_FALSE(window.PlayingSongsModel()->index(1, 0).data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(window.PlayingSongsModel()->index(0, 0).data(Qt::DecorationRole).isNull());
    Trigger("Previous2");
    EXPECT_EQ(opened.back(), songs[0].Path());
    Trigger("Stop2");
    EXPECT_EQ(window.StatusPanel(2)->text(), u"Stopped");
    EXPECT_EQ(wiring->Controller().CurrentSong(), -1);
    EXPECT_FALSE(Enabled("btnStop"));

    // Actions > "Add to playing songs" appends the selection in list order and starts it.
    Select(window.lvSelection(), {2, 0});
    Trigger("Addtoplayingsongs1");
    ASSERT_EQ(Queued(), 5);
    EXPECT_EQ(window.PlayingSongsModel()->Row(3).Path(), songs[0].Path());
    EXPECT_EQ(window.PlayingSongsModel()->Row(4).Path(), songs[2].Path());
    EXPECT_EQ(wiring->Controller().CurrentSong(), 0);

    // The Delete key in the queue removes its selected rows.
    Select(window.lvPlayingSongs(), {0, 4});
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(window.lvPlayingSongs(), &del);
    EXPECT_EQ(Queued(), 3);
    EXPECT_EQ(PlayingRow(), -1) << "the playing row went with the rows removed";
    EXPECT_EQ(window.PlayingSongsCaption()->text(), u"00:06:00");

    // A double click in the queue plays from there, and so does Enter.
    Select(window.lvPlayingSongs(), {2});
    emit window.lvPlayingSongs()->doubleClicked(window.PlayingSongsModel()->index(2, 0));
    Settle();
    EXPECT_EQ(wiring->Controller().CurrentSong(), 2);
    EXPECT_EQ(opened.back(), window.PlayingSongsModel()->Row(2).Path());
    Select(window.lvPlayingSongs(), {1});
    window.lvPlayingSongs()->setCurrentIndex(window.PlayingSongsModel()->index(1, 0));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(window.lvPlayingSongs(), &enter);
    Settle();
    EXPECT_EQ(wiring->Controller().CurrentSong(), 1);

    // Enter in the main list plays its selection as a double click does.
    Select(window.lvSelection(), {1, 2});
    window.lvSelection()->setCurrentIndex(window.SelectionModel()->index(2, 0));
    Select(window.lvSelection(), {1, 2});
    QCoreApplication::sendEvent(window.lvSelection(), &enter);
    Settle();
    EXPECT_EQ(Queued(), 2);
    EXPECT_EQ(opened.back(), songs[1].Path());
}

TEST_F(PlaybackWiringTest, VolumeSliderWheelAndMuteReachTheEngine) {
    QSlider* slider = wiring->Volume().Slider();
    ASSERT_TRUE(slider);
    const auto lastVolume = [this] {
        std::vector<int> sent;
        for (const auto& s : fake.player().sent)
            if (s.code == XA_MSG_SET_OUTPUT_VOLUME)
                sent = {s.ints[0], s.ints[1], s.ints[2]};
        return sent;
    };
    // One notch of the wheel down over the slider.
    const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
    QWheelEvent wheel(at, slider->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(slider, &wheel);
    const int turned = wiring->Controller().Volume();
    EXPECT_LT(turned, 100); // by the desktop's scroll lines
    EXPECT_EQ(slider->value(), turned);
    EXPECT_EQ(lastVolume(), (std::vector<int>{turned, 100, 50}));
    // Set elsewhere (the desktop's controls): the slider follows, out-of-range is clamped.
    wiring->Controller().SetVolume(140);
    EXPECT_EQ(slider->value(), 100);
    EXPECT_EQ(lastVolume(), (std::vector<int>{100, 100, 50}));

    wiring->Volume().MuteButton()->click();
    EXPECT_TRUE(wiring->Controller().Muted());
    EXPECT_EQ(fake.player().sent.back().code, XA_MSG_COMMAND_OUTPUT_MUTE);
    wiring->Controller().SetMuted(false);
    EXPECT_FALSE(wiring->Volume().MuteButton()->isChecked());
    EXPECT_EQ(fake.player().sent.back().code, XA_MSG_COMMAND_OUTPUT_UNMUTE);
}

TEST_F(PlaybackWiringTest, SeekBarAndTimePanel) {
    ShowSongs(1);
    Trigger("Play2");
    QSlider* bar = window.TrackBar1();
    EXPECT_TRUE(bar->isEnabled());

    // The player moves the bar: no seek comes of it.
    fake.Post(0, MessageBuilder(XA_MSG_NOTIFY_INPUT_POSITION).Dword(0, 150).Dword(4, 400).Build());
    Settle();
    EXPECT_EQ(bar->value(), 150);
    EXPECT_TRUE(seeks.empty());
    // The user does.
    bar->setValue(300);
    Settle();
    EXPECT_EQ(seeks, std::vector<int>{300});
    // A drag seeks once, where it ends; the player does not move the handle while it is held.
    bar->setSliderDown(true);
    bar->setValue(310);
    bar->setValue(320);
    fake.Post(0, MessageBuilder(XA_MSG_NOTIFY_INPUT_POSITION).Dword(0, 160).Dword(4, 400).Build());
    Settle();
    EXPECT_EQ(bar->value(), 320);
    bar->setSliderDown(false);
    Settle();
    EXPECT_EQ(seeks, (std::vector<int>{300, 320}));

    const auto timecode = [&](uint8_t seconds) {
        fake.Post(0, MessageBuilder(XA_MSG_NOTIFY_INPUT_TIMECODE).Byte(2, seconds).Build());
        Settle();
    };
    timecode(5);
    EXPECT_EQ(window.StatusPanel(3)->text(), u"Time:00:00:05");
    EXPECT_EQ(window.StatusPanel(1)->text(),
              u"Now playing: "_s + wiring->Controller().NowPlaying().Artist() + u" - "_s +
                  wiring->Controller().NowPlaying().Title());
    Trigger("Remaining1");
    timecode(6);
    EXPECT_TRUE(window.StatusPanel(3)->text().startsWith(u"Remain:"));
    EXPECT_TRUE(window.Command(u"Remaining1"_s)->isChecked());
    EXPECT_FALSE(window.Command(u"Time1"_s)->isChecked());
}

TEST_F(PlaybackWiringTest, DoubleClickOnAnAlbumOrArtistPlaysOnce) {
    window.SelectFolderNode(u"Albums"_s);
    const SongRows songs = ShowSongs(2);
    for (QListWidget* list : {window.lvAlbums(), window.lvArtists()}) {
        opened.clear();
        list->addItem(u"Blue"_s);
        emit list->doubleClicked(list->model()->index(0, 0));
        Settle();
        EXPECT_EQ(opened, QStringList{songs[0].Path()}) << list->objectName().toStdString();
        EXPECT_EQ(Queued(), 2);
    }
}

TEST_F(PlaybackWiringTest, PlayingSongTitlesTheMainWindowAndTrayHintLiterally) {
    // Tag text that looks like markup, and a "[*]" that Qt would take for the modified mark.
    const QString title = u"<b>x</b><img src=/dev/zero>"_s;
    const SongRow row{{}, {}, {}, {}, {}, {}, {}, u"tagged.mp3"_s, dir.path() + u'/', {}, {}};
    ASSERT_TRUE(
        test::WriteFile(row.Path(), test::MakeMpegStream({}) +
                                        test::MakeId3v1(title, u"Ann [*]"_s, {}, {}, {}, 0, 0)));
    window.ShowSongsIn(window.lvSelection(), {row});
    const QString displayName = QGuiApplication::applicationDisplayName();
    window.winId(); // the title as the desktop gets it
    Trigger("Play2");

    const QString shown = u"Ann [*] - "_s + title;
    EXPECT_EQ(window.windowHandle()->title(), shown);
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), displayName)
        << "dialogs keep their own titles";
    QSystemTrayIcon* hint = tray.Icon(TrayIconId::Orvane);
    ASSERT_TRUE(hint);
    // A tooltip that looks like markup is rendered as rich text.
    QString seen = hint->toolTip();
    if (Qt::mightBeRichText(seen)) {
        QTextDocument doc;
        doc.setHtml(seen);
        seen = doc.toPlainText();
    }
    EXPECT_EQ(seen, shown);
}

TEST_F(PlaybackWiringTest, PlayOnTheStartPageOrThePlayingViewStartsNothing) {
    ShowSongs(2);
    Trigger("Play2");
    ASSERT_EQ(Queued(), 2);
    window.SelectFolderNode(u"Playing"_s);
    Trigger("Play2");
    EXPECT_EQ(window.StatusPanel(2)->text(), u"Stopped");
    EXPECT_EQ(Queued(), 2) << "the queue stays";
    EXPECT_EQ(opened.size(), 1);
}

// Songs dropped on the side bar's "Playing" join the queue, last row first; they play when
// nothing plays, and a later drop leaves the song playing alone.
TEST_F(PlaybackWiringTest, SongsDroppedOnTheBarsPlayingIconStartWhenNothingPlays) {
    new TSideBarCommands(window, prompts); // a child of the window
    const SongRows songs = ShowSongs(3);
    TSongListView* list = window.lvSelection();
    QListWidgetItem* playing = window.obMain()->Group(0)->item(4);
    ASSERT_EQ(playing->text(), u"Playing");
    const auto drop = [&](std::initializer_list<int> rows) {
        Select(list, rows);
        const std::unique_ptr<QMimeData> dragged(
            list->Songs()->mimeData(list->selectionModel()->selectedIndexes()));
        EXPECT_TRUE(window.obMain()->obMainDragDrop(playing, *dragged, list));
        Settle();
    };
    drop({0, 2});
    EXPECT_EQ(Queued(), 2);
    EXPECT_EQ(opened, QStringList{songs[2].Path()});
    drop({1});
    EXPECT_EQ(Queued(), 3);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(PlaybackWiringTest, EqualizerAndExportToWavReachTheirWindows) {
    Trigger("Equalizer1");
    EXPECT_TRUE(wiring->Equalizer().isVisible());
    const auto& sent = fake.player(0).sent; // the listening player's
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().code, XA_MSG_SET_CODEC_EQUALIZER);
    EXPECT_EQ(sent.back().pointer, nullptr) << "off until enabled";

    // The selected rows in list order, to the export window's own player.
    const SongRows songs = ShowSongs(3);
    Select(window.lvSelection(), {2, 0});
    window.Command(u"ExporttoWAV1"_s)->trigger(); // the folder dialog is cancelled
    EXPECT_EQ(prompts.texts().last(), u"Select a directory for .WAV file output");
    EXPECT_FALSE(wiring->WavOutput().isVisible());
    prompts.AnswerFolder(dir.path());
    window.Command(u"ExporttoWAV2"_s)->trigger();
    EXPECT_TRUE(wiring->WavOutput().isVisible());
    ASSERT_EQ(fake.PlayerCount(), 2);
    QStringList inputs;
    for (const auto& command : fake.player(1).sent)
        if (command.code == XA_MSG_SET_INPUT_NAME)
            inputs << QString::fromStdString(command.texts[0]);
    EXPECT_EQ(inputs, QStringList{songs[0].Path()}) << "one song at a time, the first first";
}

} // namespace
} // namespace orvane
