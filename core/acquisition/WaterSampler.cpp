#include "core/acquisition/WaterSampler.h"

#include "core/acquisition/AcqSession.h"
#include "core/prompt/Operator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace halcyx {

namespace {

constexpr std::string_view kHomeCommand = "RHPS\r";
constexpr std::string_view kFireCommand = "FIRE\r";
constexpr std::string_view kStartData = "SC\r";
constexpr std::uint8_t kReturn = '\r';
constexpr const char* kErrorCaption = "Sampler Error";
// Room for a bottle line with any int and long.
constexpr std::size_t kLineBytes = 96;

// The result line of a firing and what the status says, by answer.
struct FireReport {
    const char* line;    // "%d" bottle, "%ld" scan
    const char* message; // nullptr when it fired
    const char* status;  // "%d" bottle when it fired
};

FireReport fireReport(FireAnswer answer) {
    switch (answer) {
    case FireAnswer::NoConfirmation:
        return {"Bottle #%d, Did NOT Fire, Scan #%ld", "Error Firing bottle!",
                "Fire FAILED, NO CONF"};
    case FireAnswer::LowVoltage:
        return {"Bottle #%d, Did NOT Fire, LV, Scan #%ld", "Error Firing bottle! LOW VOLTAGE.",
                "Fire FAILED, LV"};
    case FireAnswer::AlreadyFired:
        return {"Bottle #%d, Did NOT Fire, BAF, Scan #%ld",
                "Error Firing bottle! Bottle All Ready Fired.", "Fire FAILED, BAF"};
    case FireAnswer::Silent:
        return {"Bottle #%d, Did NOT Fire, Scan #%ld", "Error Firing bottle! No answer.",
                "Fire FAILED, NO ANSWER"};
    case FireAnswer::Fired:
        break;
    }
    return {"Bottle #%d, Fired OK, Scan #%ld", nullptr, "Bottle #%d, Fired OK"};
}

} // namespace

FireAnswer readFireAnswer(std::string_view answer) {
    if (answer.empty())
        return FireAnswer::Silent;
    if (answer.find("NO CONF") != std::string_view::npos)
        return FireAnswer::NoConfirmation;
    if (answer.find("LV") != std::string_view::npos)
        return FireAnswer::LowVoltage;
    if (answer.find("BAF") != std::string_view::npos)
        return FireAnswer::AlreadyFired;
    return FireAnswer::Fired;
}

bool isResetConfirmed(std::string_view answer) {
    std::string upper(answer);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    return upper.find("TEST OK") != std::string::npos;
}

std::optional<std::string> WaterSampler::exchange(AcqSession& session, std::string_view command) {
    if (session.logging() && !session.StopCtdData())
        return std::nullopt;
    CommPort& port = session.port();
    port.Purge(PurgeWhat::Both);
    (void)port.WriteSlow(std::string(command), kCharPauseMs);
    port.Sleep(session.responseDelayMs());
    std::array<std::uint8_t, kAnswerBytes> bytes{};
    const int n = port.ReadWait(bytes, kAnswerWaitMs);
    std::string answer(bytes.begin(), bytes.begin() + std::max(n, 0));
    std::replace(answer.begin(), answer.end(), '\0', ' ');
    port.WriteByte(kReturn);
    return answer;
}

bool WaterSampler::restartData(AcqSession& session) {
    if (!session.logging())
        return false;
    CommPort& port = session.port();
    port.Sleep(session.responseDelayMs());
    port.Purge(PurgeWhat::Both);
    // What was queued before the stop is dropped, and the lines are found afresh: a line
    // cut short by the stop must not be joined to the first one after the restart.
    session.cast().resynchronise();
    (void)port.WriteSlow(std::string(kStartData), kCharPauseMs);
    return true;
}

bool WaterSampler::home(AcqSession& session, Operator& op) {
    if (!op.askYesNo("Are you sure you want to reset the water sampler?", "Reset Sampler",
                     Icon::Question))
        return session.logging();
    const auto answer = exchange(session, kHomeCommand);
    if (!answer)
        return false;
    if (isResetConfirmed(*answer)) {
        status_ = "Reset OK";
    } else {
        op.message("Error resetting the sampler!", kErrorCaption, Icon::Stop);
        status_ = "Reset FAILED";
    }
    bottleNumber_ = 1;
    return restartData(session);
}

bool WaterSampler::fire(AcqSession& session, Operator& op) {
    const auto answer = exchange(session, kFireCommand);
    if (!answer)
        return false;
    const FireReport report = fireReport(readFireAnswer(*answer));
    if (report.message)
        op.message(report.message, kErrorCaption, Icon::Stop);
    char text[kLineBytes];
    std::snprintf(text, sizeof text, report.status, bottleNumber_);
    status_ = text;
    RecordFile& bottles = session.bottleFile();
    if (bottles.isOpen()) {
        const ScanRecord& scan = session.cast().record();
        std::snprintf(text, sizeof text, report.line, bottleNumber_,
                      static_cast<long>(session.cast().scanCount()));
        bottles.writeRecord(text);
        std::snprintf(text, sizeof text, "%9.4f, %9.4f, %9.4f", scan[scan::vexa::kConductivity],
                      scan[scan::vexa::kTemperature], scan[scan::vexa::kPressure]);
        bottles.writeRecord(text);
        // A bottle is on disk as soon as it is fired.
        (void)bottles.flush();
    }
    ++bottleNumber_;
    return restartData(session);
}

} // namespace halcyx
