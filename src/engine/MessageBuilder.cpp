#include "engine/MessageBuilder.h"

namespace orvane::engine {

namespace {

// What a built message owns; XA_Message::storage keeps it alive.
struct MessageStorage {
    std::string texts[3];
    XA_EqualizerInfo equalizer{};
};

bool Fits(int offset, int size) {
    return offset >= 0 && offset + size <= static_cast<int>(sizeof(XA_Message::data));
}

} // namespace

MessageBuilder& MessageBuilder::Byte(int offset, uint8_t value) {
    if (Fits(offset, 1))
        message_.data[offset] = value;
    return *this;
}

MessageBuilder& MessageBuilder::Word(int offset, uint16_t value) {
    if (Fits(offset, 2)) {
        message_.data[offset] = static_cast<uint8_t>(value & 0xFF);
        message_.data[offset + 1] = static_cast<uint8_t>(value >> 8);
    }
    return *this;
}

MessageBuilder& MessageBuilder::Dword(int offset, uint32_t value) {
    if (Fits(offset, 4)) {
        for (int i = 0; i < 4; ++i)
            message_.data[offset + i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
    }
    return *this;
}

MessageBuilder& MessageBuilder::Text(int offset, std::string_view text) {
    if (offset == 0 || offset == 4 || offset == 8)
        texts_[offset / 4] = std::string(text);
    return *this;
}

MessageBuilder& MessageBuilder::Equalizer(const XA_EqualizerInfo* info) {
    if (info)
        equalizer_ = *info;
    else
        equalizer_.reset();
    return *this;
}

XA_Message MessageBuilder::Build() {
    bool needsStorage = equalizer_.has_value();
    for (const auto& text : texts_)
        needsStorage = needsStorage || text.has_value();
    if (!needsStorage)
        return std::move(message_);

    auto storage = std::make_shared<MessageStorage>();
    for (int i = 0; i < 3; ++i) {
        if (texts_[i]) {
            storage->texts[i] = std::move(*texts_[i]);
            message_.text[i] = storage->texts[i].c_str();
        }
    }
    if (equalizer_) {
        storage->equalizer = *equalizer_;
        message_.equalizer = &storage->equalizer;
    }
    message_.storage = std::move(storage);
    return std::move(message_);
}

XA_Message AckMessage(int command) {
    return MessageBuilder(XA_MSG_NOTIFY_ACK).Byte(0, static_cast<uint8_t>(command)).Build();
}

XA_Message NackMessage(int command, int code) {
    return MessageBuilder(XA_MSG_NOTIFY_NACK)
        .Byte(0, static_cast<uint8_t>(command))
        .Word(2, static_cast<uint16_t>(static_cast<int16_t>(code)))
        .Build();
}

XA_Message ErrorMessage(uint8_t source, int code, std::string_view text) {
    return MessageBuilder(XA_MSG_NOTIFY_ERROR)
        .Byte(0, source)
        .Word(2, static_cast<uint16_t>(static_cast<int16_t>(code)))
        .Text(4, text)
        .Build();
}

} // namespace orvane::engine
