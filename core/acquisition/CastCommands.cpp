#include "core/acquisition/CastCommands.h"

#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace halcyx {

using namespace cast_commands;

namespace {

constexpr std::uint8_t kStop = 'S';
constexpr std::uint8_t kReturn = '\r';
constexpr int kStartWaits = 3; // response delays after "SC"
constexpr const char* kRunModeAnswer = "RUN MODE";

} // namespace

void StartCtdData(CommPort& port, std::uint32_t responseDelayMs) {
    port.Sleep(responseDelayMs);
    port.Purge(PurgeWhat::Both);
    // A port that fails here has said so (or noticed its device is gone); the ticks go on.
    (void)port.WriteSlow("SC\r", kCharPauseMs);
    for (int wait = 0; wait < kStartWaits; ++wait)
        port.Sleep(responseDelayMs);
}

void EndCtdData(CommPort& port) {
    for (int stop = 0; stop < 2; ++stop) {
        port.WriteByte(kStop);
        port.Sleep(kStopPauseMs);
    }
    port.WriteByte(kReturn);
    port.Sleep(kStopSettleMs);
    port.Purge(PurgeWhat::Both);
}

bool StopCtdData(CommPort& port, Operator& op, std::uint32_t responseDelayMs) {
    // Without a port no attempt could be heard; say so at once rather than after minutes.
    for (int attempt = 0; attempt < kStopAttempts && port.isOpen(); ++attempt) {
        port.WriteByte(kStop);
        port.Sleep(kStopAttemptPauseMs);
        port.WriteByte(kReturn);
        port.Sleep(kStopAttemptPauseMs);
        port.Purge(PurgeWhat::Both);
        port.WriteSlow("MODE\r", kCharPauseMs);
        port.Sleep(responseDelayMs);
        std::array<std::uint8_t, kModeAnswerBytes> bytes{};
        const int n = port.ReadWait(bytes, responseDelayMs);
        std::string answer(bytes.begin(), bytes.begin() + std::max(n, 0));
        std::transform(answer.begin(), answer.end(), answer.begin(), [](char c) {
            return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        });
        if (answer.find(kRunModeAnswer) != std::string::npos)
            return true;
    }
    op.message("Error stopping CTD data!", "COMMS Error", Icon::Stop);
    return false;
}

} // namespace halcyx
