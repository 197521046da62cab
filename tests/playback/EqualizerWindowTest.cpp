// The equalizer window over a substitute engine: what each change of the box and the sliders
// sends to the listening player.

#include "FakeXaudio.h"
#include "playback/TXaudioPlayer.h"
#include "playback/TfrmEqualizer.h"

#include "support/ScriptedPrompts.h"
#include "support/WidgetTestApp.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QSlider>
#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>

namespace orvane::test {
namespace {

using Record = std::array<int8_t, 64>; // left bands 0-31, then right

TEST(EqualizerWindowTest, BoxAndSlidersSendTheRecordOrNull) {
    WidgetApp();
    FakeXaudio fake;
    std::vector<std::optional<Record>> sets; // nullopt: the null pointer
    int gets = 0;
    fake.onSend = [&](FakeXaudio&, int, const FakeXaudio::Sent& sent) {
        if (sent.code == XA_MSG_SET_CODEC_EQUALIZER) {
            ASSERT_EQ(sent.form, "P");
            std::optional<Record> record;
            if (sent.pointer) {
                record.emplace();
                std::memcpy(record->data(), sent.pointer, record->size());
            }
            sets.push_back(record);
        }
        gets += sent.code == XA_MSG_GET_CODEC_EQUALIZER;
    };
    ScriptedPrompts prompts;
    TXaudioPlayer player(nullptr, prompts, fake.Library());
    TfrmEqualizer window(nullptr, player);

    window.show(); // unchecked at start: off
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_FALSE(sets[0]);

    window.EnableCheckBox()->click(); // on but flat: 64 zeros, not the null pointer
    ASSERT_EQ(sets.size(), 2u);
    ASSERT_TRUE(sets[1]);
    EXPECT_EQ(*sets[1], Record{});
    EXPECT_EQ(gets, 1);

    // TrackBar08 to its top: bands 20-31 of both channels +80, the others unchanged.
    QSlider* bar = window.TrackBar(7);
    EXPECT_EQ(bar->objectName(), QStringLiteral("TrackBar08"));
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    ASSERT_EQ(sets.size(), 3u);
    Record top{};
    for (int band = 20; band < 32; ++band)
        top[size_t(band)] = top[size_t(band) + 32] = 80;
    EXPECT_EQ(*sets[2], top);

    // Page Up moves TrackBar01 a page towards its top (-80), lifting band 0 by 10.
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QCoreApplication::sendEvent(window.TrackBar(0), &pageUp);
    EXPECT_EQ(window.TrackBar(0)->value(), -10);
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_EQ((*sets[3])[0], 10);
    EXPECT_EQ((*sets[3])[32], 10);
    EXPECT_EQ((*sets[3])[1], 0);

    // Closing only hides; showing again sends the same settings once more.
    window.close();
    window.show();
    ASSERT_EQ(sets.size(), 5u);
    EXPECT_EQ(sets[4], sets[3]);

    window.EnableCheckBox()->click(); // off again
    ASSERT_EQ(sets.size(), 6u);
    EXPECT_FALSE(sets[5]);
    EXPECT_EQ(gets, 4) << "the record is asked back after each record sent";
}

} // namespace
} // namespace orvane::test
