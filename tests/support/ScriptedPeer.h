#pragma once

#include "sim/LinePeer.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace halcyx::test {

// A stand-in instrument for answers no simulated instrument gives: cut short, noisy, oddly
// worded, or none at all. It echoes every byte unless told not to, and answers each line
// ended by a carriage return (and each "#M0"-style address probe) at once, from a table or a
// function.
class ScriptedPeer : public sim::LinePeer {
public:
    // The answer to a received line (without its carriage return); empty for silence.
    using Responder = std::function<std::string(const std::string& line)>;

    explicit ScriptedPeer(std::uint32_t baud) : baud_(baud) {}

    // Answers from a table; lines not in it get no answer.
    void answer(std::map<std::string, std::string> table);
    // Answers from a function (replaces the table); nullptr for silence.
    void respond(Responder responder) { responder_ = std::move(responder); }
    void setEcho(bool on) { echo_ = on; }
    // Besides any answer, sends text delay [ns] after each receipt of line (slow commands).
    void later(std::string line, sim::SimTime delay, std::string text) {
        later_[std::move(line)] = {delay, std::move(text)};
    }
    // Every line received, in order.
    const std::vector<std::string>& lines() const { return lines_; }

    void receive(std::uint8_t byte, sim::SimTime t) override;
    std::uint32_t baud() const override { return baud_; }

private:
    void answerLine(sim::SimTime t);

    std::uint32_t baud_;
    bool echo_ = true;
    Responder responder_;
    std::string pendingLine_;
    std::vector<std::string> lines_;
    std::map<std::string, std::pair<sim::SimTime, std::string>> later_;
};

} // namespace halcyx::test
