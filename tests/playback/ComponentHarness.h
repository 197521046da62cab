#pragma once
// What the component and controller tests share: the application object that delivers queued
// calls, a wait that processes events until a condition holds or a generous deadline passes,
// and a display that keeps what the controller shows.

#include "playback/PlaybackDisplay.h"

#include <QCoreApplication>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

namespace orvane::test {

QCoreApplication& App();
// Processes events until done() is true; false (and a test failure) after the deadline.
bool ProcessUntil(const std::function<bool()>& done, int deadlineMs = 30000);

struct RecordingDisplay : PlaybackDisplay {
    void ShowStatusPanel(int panel, const QString& text) override {
        panels[panel] = text;
        nowPlayingUpdates += panel == 1;
    }
    void ShowSongTitle(const QString&) override {}
    void ShowSeekPosition(int) override {}
    void EnablePlayButtons(bool play, bool pause, bool stop) override {
        buttons = {play, pause, stop};
    }
    void ShowQueueDuration(const QString& text) override { queueDuration = text; }
    void ShowPlayerMessage(const QString& text) override { messages.append(text); }
    void ShowPlayingRow(int row) override { playingRows.push_back(row); }

    QString panels[4];
    int nowPlayingUpdates = 0;
    std::array<bool, 3> buttons{};
    QString queueDuration;
    QStringList messages;
    std::vector<int> playingRows; // every change of the marked row
};

} // namespace orvane::test
