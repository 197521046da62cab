#pragma once
// The equalizer's eight sliders as the engine's 32-band record. GUI thread only.

#include "engine/Xaudio.h"

#include <array>

namespace orvane {

class TXaudioPlayer;

// Slider positions from left to right, -80 (the top of a slider) to 80.
using EqualizerPositions = std::array<int, 8>;

// The record of both channels: each band is the negated position of its slider (the top of a
// slider lifts its bands by 80). The sliders cover the bands 0, 1, 2-3, 4-5, 6-7, 8-13, 14-19
// and 20-31, so the upper sliders reach ever wider parts of the spectrum.
XA_EqualizerInfo EqualizerRecord(const EqualizerPositions& positions);

// Sends the record when enabled (and asks the engine for it back), else a null record, which
// switches the engine's equalizer off; a flat record leaves it on.
void UpdateEqualizer(TXaudioPlayer& player, bool enabled, const EqualizerPositions& positions);

} // namespace orvane
