#include "playback/Equalizer.h"

#include "playback/TXaudioPlayer.h"

#include <algorithm>

namespace orvane {

namespace {

// The first band of each slider; a slider reaches up to the next one's first band.
constexpr int kFirstBand[] = {0, 1, 2, 4, 6, 8, 14, 20, 32};

} // namespace

XA_EqualizerInfo EqualizerRecord(const EqualizerPositions& positions) {
    XA_EqualizerInfo record{};
    for (size_t slider = 0; slider < positions.size(); ++slider) {
        const int value = -std::clamp(positions[slider], -80, 80);
        for (int band = kFirstBand[slider]; band < kFirstBand[slider + 1]; ++band)
            record.left[band] = static_cast<int8_t>(value);
    }
    std::copy(std::begin(record.left), std::end(record.left), std::begin(record.right));
    return record;
}

void UpdateEqualizer(TXaudioPlayer& player, bool enabled, const EqualizerPositions& positions) {
    if (!enabled) {
        player.SetCodecEqualizer(nullptr);
        return;
    }
    const XA_EqualizerInfo record = EqualizerRecord(positions);
    player.SetCodecEqualizer(&record); // read before the call returns
    player.GetCodecEqualizer();
}

} // namespace orvane
