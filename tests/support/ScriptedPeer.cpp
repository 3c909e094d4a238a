#include "tests/support/ScriptedPeer.h"

namespace halcyx::test {

namespace {

constexpr std::size_t kProbeLength = 3; // "#M0"

} // namespace

void ScriptedPeer::answer(std::map<std::string, std::string> table) {
    responder_ = [table = std::move(table)](const std::string& line) {
        const auto it = table.find(line);
        return it == table.end() ? std::string() : it->second;
    };
}

void ScriptedPeer::receive(std::uint8_t byte, sim::SimTime t) {
    if (echo_)
        send(t, std::string(1, static_cast<char>(byte)));
    if (byte == '\r') {
        answerLine(t);
        return;
    }
    pendingLine_ += static_cast<char>(byte);
    if (pendingLine_.size() == kProbeLength && pendingLine_[0] == '#')
        answerLine(t);
}

void ScriptedPeer::answerLine(sim::SimTime t) {
    lines_.push_back(pendingLine_);
    pendingLine_.clear();
    if (responder_)
        send(t, responder_(lines_.back()));
    if (const auto found = later_.find(lines_.back()); found != later_.end()) {
        const std::string text = found->second.second;
        schedule(t + found->second.first, 0, [this, text](sim::SimTime at) { send(at, text); });
    }
}

} // namespace halcyx::test
