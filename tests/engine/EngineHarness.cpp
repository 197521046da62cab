#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace orvane::test {

uint8_t Byte(const XA_Message& msg, int offset) {
    return msg.data[offset];
}
uint16_t Word(const XA_Message& msg, int offset) {
    return static_cast<uint16_t>(msg.data[offset] | msg.data[offset + 1] << 8);
}
uint32_t Dword(const XA_Message& msg, int offset) {
    return static_cast<uint32_t>(Word(msg, offset)) | static_cast<uint32_t>(Word(msg, offset + 2))
                                                          << 16;
}
std::string Text(const XA_Message& msg, int offset) {
    const char* text = msg.text[offset / 4];
    return text ? text : "";
}

std::filesystem::path Tone(const audio::ScratchDir& dir, const std::string& name,
                           const audio::ToneOptions& options) {
    const auto path = dir.file(name);
    std::string error;
    EXPECT_TRUE(audio::WriteToneMp3(path, options, &error)) << error;
    return path;
}

EnginePlayer::EnginePlayer() {
    EXPECT_EQ(player_new(&player_, nullptr), XA_SUCCESS);
    EXPECT_TRUE(WaitFor(XA_MSG_NOTIFY_READY));
    log.clear();
}

EnginePlayer::~EnginePlayer() {
    player_delete(player_);
}

bool EnginePlayer::WaitFor(int code, const std::function<bool(const XA_Message&)>& test,
                           std::chrono::seconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < end) {
        XA_Message msg;
        if (control_message_wait(player_, &msg, 100) != XA_SUCCESS)
            continue;
        log.push_back(msg);
        if (msg.code == code && (!test || test(msg)))
            return true;
    }
    ADD_FAILURE() << "no notification " << code << " came";
    return false;
}

std::vector<XA_Message> EnginePlayer::Settle() {
    const uint32_t tag = nextTag_++;
    control_message_send_I(player_, XA_MSG_COMMAND_PING, static_cast<int32_t>(tag));
    WaitFor(XA_MSG_NOTIFY_PONG, [tag](const XA_Message& m) { return Dword(m, 0) == tag; });
    std::vector<XA_Message> taken = std::move(log);
    log.clear();
    if (!taken.empty())
        taken.pop_back();
    return taken;
}

int EnginePlayer::Count(int code, int firstByte) const {
    int count = 0;
    for (const XA_Message& msg : log)
        if (msg.code == code && (firstByte < 0 || msg.data[0] == firstByte))
            ++count;
    return count;
}

void EnginePlayer::Open(const std::filesystem::path& input) {
    control_message_send_S(player_, XA_MSG_COMMAND_INPUT_OPEN, input.c_str());
}

void EnginePlayer::Output(const std::string& name) {
    control_message_send_S(player_, XA_MSG_COMMAND_OUTPUT_OPEN, name.c_str());
}

} // namespace orvane::test
