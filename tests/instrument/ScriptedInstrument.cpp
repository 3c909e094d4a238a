#include "tests/instrument/ScriptedInstrument.h"

#include <cstdio>

namespace halcyx::test {

namespace {

constexpr std::size_t kProbeLength = 3; // "#M0"

std::string escaped(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            text += hex;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace

void ScriptedInstrument::answer(std::map<std::string, std::string> table) {
    responder_ = [table = std::move(table)](const std::string& line) {
        const auto it = table.find(line);
        return it == table.end() ? std::string() : it->second;
    };
}

void ScriptedInstrument::send(const std::string& bytes) {
    rx_.insert(rx_.end(), bytes.begin(), bytes.end());
}

bool ScriptedInstrument::open(const std::string& device) {
    constexpr int kNoDevice = 19; // ENODEV
    open_ = missing.count(device) == 0;
    lastError_ = open_ ? 0 : kNoDevice;
    if (open_)
        path = device;
    return open_;
}

bool ScriptedInstrument::setLine(std::uint32_t rate) {
    baud = rate;
    return open_;
}

long ScriptedInstrument::read(std::span<std::uint8_t> buf) {
    Event event;
    event.kind = Event::Read;
    event.timeMs = clock_.nowMs();
    event.limit = buf.size();
    std::size_t count = 0;
    while (count < buf.size() && !rx_.empty()) {
        buf[count++] = static_cast<std::uint8_t>(rx_.front());
        event.bytes += rx_.front();
        rx_.pop_front();
    }
    events_.push_back(std::move(event));
    return static_cast<long>(count);
}

long ScriptedInstrument::write(std::span<const std::uint8_t> data) {
    const std::int64_t now = clock_.nowMs();
    for (const std::uint8_t byte : data) {
        Event* last = events_.empty() ? nullptr : &events_.back();
        const std::int64_t gap = last ? now - last->lastByteMs : 0;
        // Bytes written with the same pause after each form one burst; a byte without a
        // pause after it ends its burst.
        if (last && last->kind == Event::Write && gap > 0 &&
            (last->gapMs < 0 || last->gapMs == gap)) {
            last->gapMs = gap;
            last->lastByteMs = now;
            last->bytes += static_cast<char>(byte);
        } else {
            Event event;
            event.kind = Event::Write;
            event.timeMs = now;
            event.lastByteMs = now;
            event.bytes = std::string(1, static_cast<char>(byte));
            events_.push_back(std::move(event));
        }
        received(static_cast<char>(byte));
    }
    return static_cast<long>(data.size());
}

void ScriptedInstrument::received(char byte) {
    if (echo_)
        rx_.push_back(byte);
    if (byte == '\r') {
        answerLine(pendingLine_);
        pendingLine_.clear();
        return;
    }
    pendingLine_ += byte;
    if (pendingLine_.size() == kProbeLength && pendingLine_[0] == '#') {
        answerLine(pendingLine_);
        pendingLine_.clear();
    }
}

void ScriptedInstrument::answerLine(const std::string& line) {
    lines_.push_back(line);
    if (responder_)
        send(responder_(line));
}

bool ScriptedInstrument::purge(PurgeWhat what) {
    if (what != PurgeWhat::Transmit)
        rx_.clear();
    const std::int64_t now = clock_.nowMs();
    Event* last = events_.empty() ? nullptr : &events_.back();
    // A purge of both sides in two calls reads as one event.
    if (what == PurgeWhat::Transmit && last && last->kind == Event::Purge && last->timeMs == now &&
        last->bytes == "rx") {
        last->bytes = "rx+tx";
        return true;
    }
    Event event;
    event.kind = Event::Purge;
    event.timeMs = now;
    event.bytes = what == PurgeWhat::Receive ? "rx" : what == PurgeWhat::Transmit ? "tx" : "rx+tx";
    events_.push_back(std::move(event));
    return true;
}

bool ScriptedInstrument::close() {
    open_ = false;
    return true;
}

std::string ScriptedInstrument::log() const {
    std::string text;
    char line[64];
    for (const Event& event : events_) {
        std::snprintf(line, sizeof line, "%6lld ", static_cast<long long>(event.timeMs));
        text += line;
        switch (event.kind) {
        case Event::Write:
            text += "> \"" + escaped(event.bytes) + "\"";
            if (event.gapMs >= 0)
                text += " " + std::to_string(event.gapMs) + "ms/char";
            break;
        case Event::Read:
            text += "< " + std::to_string(event.limit) + " \"" + escaped(event.bytes) + "\"";
            break;
        case Event::Purge:
            text += "purge " + event.bytes;
            break;
        }
        text += "\n";
    }
    return text;
}

} // namespace halcyx::test
