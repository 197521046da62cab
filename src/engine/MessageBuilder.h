#pragma once
// Builds XA_Message records: integers at their byte places, texts and the equalizer record
// owned by the message. Used by the player thread and by substitute engines in tests.

#include "engine/Xaudio.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvane::engine {

class MessageBuilder {
public:
    explicit MessageBuilder(int32_t code) { message_.code = code; }

    // Offsets are those of the data area; a value that does not fit there is ignored.
    MessageBuilder& Byte(int offset, uint8_t value);
    MessageBuilder& Word(int offset, uint16_t value);
    MessageBuilder& Dword(int offset, uint32_t value);
    // offset is 0, 4 or 8.
    MessageBuilder& Text(int offset, std::string_view text);
    // A null record leaves the message's equalizer pointer null.
    MessageBuilder& Equalizer(const XA_EqualizerInfo* info);

    // Moves the record out; the builder is spent afterwards.
    XA_Message Build();

private:
    XA_Message message_;
    std::optional<std::string> texts_[3];
    std::optional<XA_EqualizerInfo> equalizer_;
};

// Shorthands for the answers every command gets.
XA_Message AckMessage(int command);
XA_Message NackMessage(int command, int code);
XA_Message ErrorMessage(uint8_t source, int code, std::string_view text);

} // namespace orvane::engine
