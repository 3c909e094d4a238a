#pragma once

#include "core/acquisition/CastSession.h"
#include "core/base/ModelTraits.h"
#include "core/instrument/PortSetup.h"
#include "core/serial/CommPort.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace halcyx {

class Clock;
class Operator;
class Profile;
class SerialDevice;

// What the acquisition window owns of the instrument and its casts, without any window: the
// data port and its response delay, the cast session (built at the first entry into
// acquisition), the bottle file, and the cast lifecycle from the file question to the
// header files. The window runs the data timer, shows the displays and asks for the cast
// information; everything else is here.
//
// Operators at sea pull adapters and fill disks: a data device that goes away mid-cast is
// reported once, naming it, and every tick then looks for it on the same path; when it is
// back the stream is found afresh and the cast goes on. A data file that cannot be written
// is reported once and ends the cast, keeping every whole record written until then.
class AcqSession {
public:
    AcqSession(SerialDevice& device, Clock& clock, Operator& op, Profile& settings);

    // Set-up at entry into acquisition. The first call builds the cast session with its
    // channel list and DC coefficients; later entries keep them, unless the instrument's
    // model or channels changed, whose lines the kept session could not read. True when a
    // new cast session was built (its displays must be connected again).
    bool setInstrument(ProductCode product, ChannelMask channelMask, const DCChannelTable& dc);
    bool isSetUp() const { return cast_ != nullptr; }
    CastSession& cast() { return *cast_; }
    const CastSession& cast() const { return *cast_; }
    ProductCode product() const { return product_; }
    // The data tick of the model [ms].
    int tickPeriodMs() const { return modelTraits(product_).dataTickMs; }
    // Towed casts with the navigation port enabled stamp their records (the calibration
    // file then says so).
    void setTowed(bool towed) { towed_ = towed; }

    // Opens the data port from the settings file; reports its own failures.
    bool openDataPort();
    // False, after "Error closing Data communications port", when the port would not close.
    [[nodiscard]] bool closeDataPort();
    // The "Communications Setup" dialog for the data port.
    PortSetupResult portSetup(PortSetupDialog& dialog);
    CommPort& port() { return port_; }
    // The wait after a command to the instrument [ms], set by the rate the port opened with.
    std::uint32_t responseDelayMs() const { return responseDelayMs_; }

    bool logging() const { return logging_; }
    // Direction of the current or last cast.
    bool downCast() const { return downCast_; }
    // Asks for the data file and starts a cast in that direction: the cast files, the
    // bottle file, and the instrument's stream. False, with nothing changed, when the
    // operator cancelled or the file could not be created ("Error opening Cast File").
    bool startCast(bool down, const std::tm& now);
    // One data tick. False when the cast must end now: its data file failed (reported).
    bool tick();
    // Stops the stream, closes the files, lets the operator edit the cast information and
    // writes the header and calibration files. Failures are reported.
    void endCast(const CastInstrument& instrument, const std::tm& now,
                 const std::function<void(CastInfo&)>& editInfo);
    // Stops the instrument's stream for a command of the water sampler.
    [[nodiscard]] bool StopCtdData();
    // The cast's bottle file; closed when it could not be created.
    RecordFile& bottleFile() { return bottle_; }

private:
    // Says once that the data device went away; looks for it again on later ticks.
    void noticeLostDevice();

    Operator& op_;
    Profile& settings_;
    CommPort port_;
    std::uint32_t responseDelayMs_;
    ProductCode product_ = ProductCode::None;
    std::unique_ptr<CastSession> cast_;
    RecordFile bottle_;
    bool towed_ = false;
    bool logging_ = false;
    bool downCast_ = true;
    bool lossReported_ = false;
    bool fileFailureReported_ = false;
};

} // namespace halcyx
