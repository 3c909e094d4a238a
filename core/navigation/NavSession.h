#pragma once

#include "core/acquisition/CastSession.h"
#include "core/navigation/NavFix.h"
#include "core/navigation/NavPortDialog.h"
#include "core/navigation/NavReader.h"
#include "core/serial/CommPort.h"
#include "core/settings/Catalogue.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <span>
#include <string>

namespace halcyx {

// What one navigation tick found.
enum class NavTick {
    Fix,   // a "$GPGLL" updated the position
    NoFix, // nothing usable yet
    // The 22nd tick in a row without a position: the position is now unknown. The window
    // stops its navigation timer, shows kNoNavDataText with kNoNavDataCaption, and starts
    // the timer again when the message is closed.
    Alarm,
};
inline constexpr const char* kNoNavDataText =
    "No Navigation Data!\nCheck all connections and baud rates";
inline constexpr const char* kNoNavDataCaption = "NAVIGATION DATA ERROR";

// What a window with a GPS receiver owns of it, without any window: the navigation port
// with its settings record, the sentences received, the current fix and the no-data count,
// and the appendix each towed record gets. The acquisition window and the module
// acquisition window each hold one and run tick() on their navigation timer.
class NavSession : public RecordStamp {
public:
    // The navigation timer's period [ms].
    static constexpr std::uint32_t kTickPeriodMs = 950;
    // At most this many bytes are taken from the port per tick.
    static constexpr std::size_t kMaxBytesPerTick = 2000;
    // Ticks in a row without a position that raise the alarm (about 21 seconds).
    static constexpr std::uint32_t kAlarmTicks = 22;
    // The queue figures the navigation port is opened with.
    static constexpr std::uint16_t kInputFigure = 8192;
    static constexpr std::uint16_t kOutputFigure = 1024;

    // The computer's local clock, read when a record takes the PC time.
    using LocalTime = std::function<std::tm()>;
    static std::tm systemLocalTime();

    // portSetting is the window's NAVCOMMPORT/Port key with its default (kNavPort for the
    // acquisition window, kNavPortModule for module acquisition).
    NavSession(SerialDevice& device, Clock& clock, Operator& op, Profile& settingsFile,
               NavPortDialog& dialog, IntSetting portSetting = kNavPort,
               LocalTime localTime = systemLocalTime);

    // Opens the navigation port from the settings file when acquisition is entered.
    // The port of the instrument (dataPort, COM 1..4) is refused with "SAME COMPORT
    // ERROR", and the setup dialog follows.
    void open(int dataPort);
    // Closes the port; false (reported) when it would not close.
    bool close();
    // "&Navigation Port Setup": the dialog, and on OK its settings stored and applied.
    void setup();
    // A towed cast starts: what the port and the queue hold is dropped, the position is
    // unknown and the no-data count starts again.
    void startCast();
    // Drops what waits in the port and the queue, so that the next fix is one sent from now
    // on (after the no-data alarm, whose message may have stood open for a long time).
    void dropPending();
    // One navigation tick: reads the port without waiting and uses what arrived.
    NavTick tick();
    // One tick with the bytes the port delivered (at most kMaxBytesPerTick are taken).
    NavTick tick(std::span<const std::uint8_t> bytes);

    // The navigation appendix of a towed Vexa record.
    void appendTo(std::string& line) override;

    bool enabled() const { return settings_.enabled; }
    const NavSettings& settings() const { return settings_; }
    const NavFix& fix() const { return fix_; }
    std::uint32_t noDataCount() const { return noDataCount_; }
    CommPort& port() { return port_; }

private:
    // Opens COM settings_.port with the navigation figures; false (reported) on failure,
    // when the settings file then says the port is not used.
    bool openPort();
    void applyRate(std::uint32_t baud);
    void message(const std::string& text, const char* caption);

    Operator& op_;
    Profile& settingsFile_;
    NavPortDialog& dialog_;
    IntSetting portSetting_;
    LocalTime localTime_;
    CommPort port_;
    NavSettings settings_;
    NavReader reader_;
    NavFix fix_;
    std::uint32_t noDataCount_ = 0;
};

} // namespace halcyx
