#include "core/instrument/CommandLayer.h"

#include "core/instrument/Answer.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <algorithm>
#include <array>

namespace halcyx {

namespace {

constexpr int kOpenAttempts = 10;
constexpr std::uint32_t kOpenReadPauseMs = 100; // before the open-mode answer is taken
constexpr std::uint32_t kStopBytePauseMs = 100; // after each "S" of the stop sequence
constexpr int kStopBytes = 3;
constexpr std::uint32_t kStopContinuousCharMs = 50;
constexpr std::uint32_t kClockQueryResponses = 3; // TIME and DATE answer slowly

std::span<std::uint8_t> received(std::span<std::uint8_t> area, int count) {
    return area.first(static_cast<std::size_t>(std::clamp<int>(count, 0, int(area.size()))));
}

} // namespace

CommandLayer::CommandLayer(CommPort& port, Operator& op) : port_(port), op_(op) {}

OpenResult CommandLayer::EnterOpenMode() {
    Purge();
    write("***O\r");
    pauseResponse();
    purgeReceive();
    write("\r");
    pauseResponse();
    const std::string answer = readAnswer(kOpenAnswerBytes, kOpenReadPauseMs);
    if (contains(answer, "Open") || contains(answer, "OPEN")) {
        mode_ = InstrumentMode::Open;
        openConfirmed_ = true;
        return OpenResult::Open;
    }
    if (mode_ == InstrumentMode::Run)
        sendStopSequence();
    return answer.empty() ? OpenResult::NoAnswer : OpenResult::NotOpen;
}

void CommandLayer::sendStopSequence() {
    for (int i = 0; i < kStopBytes; ++i) {
        port_.WriteByte('S');
        port_.Sleep(kStopBytePauseMs);
    }
    port_.WriteByte('\r');
}

bool CommandLayer::EnsureOpen(std::string_view failureMessage) {
    if (mode_ == InstrumentMode::Open)
        return true;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (EnterOpenMode() == OpenResult::Open)
            return true;
    }
    op_.message(std::string(failureMessage), "Open Mode Timeout error", Icon::Stop);
    return false;
}

void CommandLayer::EnterRunMode() {
    WaitCursor wait(op_);
    Purge();
    write("***R\r");
    pauseResponse();
    const std::string answer = readAnswer(kRunAnswerBytes);
    if (answer.empty()) {
        op_.message("No Response from CTD\nCheck Communication ConfigPort and cable",
                    "COMMAND RESULT", Icon::Stop);
    } else if (contains(answer, "ERROR")) {
        op_.message(answer, "Error going to RUN mode", Icon::Stop);
    } else {
        mode_ = InstrumentMode::Run;
    }
}

void CommandLayer::StopContinuous() {
    port_.WriteSlow(std::string("S\rS\rS\r"), kStopContinuousCharMs);
    pauseResponse();
}

std::optional<std::string> CommandLayer::Query(std::string_view key, std::size_t maxBytes,
                                               std::uint32_t extraPauseMs) {
    Purge();
    write(std::string(key) + "\r");
    port_.Sleep(extraPauseMs);
    std::string answer = readAnswer(maxBytes);
    if (answer.empty())
        return std::nullopt;
    return answer;
}

std::optional<std::string> CommandLayer::queryValue(std::string_view key, std::string_view marker) {
    const auto answer = Query(key, kIdentityAnswerBytes, delays_.responseMs);
    if (!answer || !contains(*answer, marker))
        return std::nullopt;
    return ExtractValue(*answer);
}

std::optional<std::string> CommandLayer::queryClock(std::string_view key) {
    const auto answer = Query(key, kClockAnswerBytes, kClockQueryResponses * delays_.responseMs);
    write("\r");
    if (!answer)
        return std::nullopt;
    return lineAfter(*answer, "is ");
}

std::optional<int> CommandLayer::queryAddress() {
    Purge();
    write("ADR\r");
    pauseResponse();
    std::array<std::uint8_t, kAddressAnswerBytes> buffer{};
    return numberAfter(answerText(received(buffer, port_.Read(buffer))), "=");
}

std::optional<bool> CommandLayer::queryChannel(const std::string& key) {
    const auto answer = Query(key, kChannelAnswerBytes, delays_.responseMs / 2);
    if (!answer)
        return std::nullopt;
    return contains(*answer, "on");
}

void CommandLayer::write(std::string_view text) {
    port_.WriteSlow(std::string(text), delays_.characterMs);
}

std::string CommandLayer::exchange(std::string_view command, std::size_t maxBytes,
                                   std::uint32_t pauseMs) {
    write(std::string(command) + "\r");
    return readAnswer(maxBytes, pauseMs);
}

void CommandLayer::writeUnchecked(std::string_view command) {
    write(command);
    pauseResponse();
}

std::vector<std::uint8_t> CommandLayer::readBytes(std::size_t maxBytes, std::uint32_t pauseMs) {
    std::array<std::uint8_t, kLargestAnswerBytes> buffer{};
    const auto area = std::span(buffer).first(std::min(maxBytes, buffer.size()));
    const auto bytes = received(area, port_.ReadWait(area, pauseMs));
    return {bytes.begin(), bytes.end()};
}

std::string CommandLayer::readAnswer(std::size_t maxBytes, std::uint32_t pauseMs) {
    return answerText(readBytes(maxBytes, pauseMs));
}

void CommandLayer::pauseResponse(std::uint32_t count) {
    port_.Sleep(count * delays_.responseMs);
}

void CommandLayer::Purge() {
    port_.Purge(PurgeWhat::Receive);
    port_.Purge(PurgeWhat::Transmit);
}

void CommandLayer::purgeReceive() {
    port_.Purge(PurgeWhat::Receive);
}

} // namespace halcyx
