#pragma once

#include "core/acquisition/CastFiles.h"
#include "core/acquisition/ListingText.h"
#include "core/acquisition/RecordFile.h"
#include "core/instrument/PortSetup.h"
#include "core/module/ModGraphData.h"
#include "core/module/ModuleLineReader.h"
#include "core/module/ModuleRecord.h"
#include "core/module/ModuleType.h"
#include "core/navigation/NavSession.h"
#include "core/serial/CommPort.h"
#include "core/serial/Fifo.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace halcyx {

class Profile;

// What one data tick did, for the window to show.
struct ModuleTick {
    int records = 0;          // records logged in this tick
    bool redrawStrip = false; // a fifth record came: redraw the graph's strip
    bool zoom = false;        // auto-zoom is due
};

// Module acquisition without any window: the data port, the module chosen and its run-mode
// check, the data file with its cast information, the line reader, the listing, the record
// count and the module graph's data; the records take their position and time from the
// navigation session the window runs. The module window holds one and runs tick() on its
// data timer.
//
// A module that goes away while logging is told about once, naming its device; the ticks
// then try its port again quietly and the records go on in the same file once it is back.
class ModuleSession {
public:
    static constexpr std::uint32_t kDataTickMs = 1000; // data timer period [ms]
    // At most this many bytes are taken from the port per tick.
    static constexpr std::size_t kMaxBytesPerTick = 2000;
    // The data file is closed and opened again whenever the record count reaches a multiple.
    static constexpr int kReopenPeriod = 20;
    // The graph's strip is redrawn whenever the record count reaches a multiple.
    static constexpr int kRedrawPeriod = 5;

    // nav: the navigation session of the module window (opened by it after the data port).
    ModuleSession(SerialDevice& dataDevice, Clock& clock, Operator& op, Profile& settingsFile,
                  NavSession& nav, NavSession::LocalTime localTime = NavSession::systemLocalTime);

    // The mode begins: the data port from COMMPORT.
    void openDataPort();
    // The window closes: the data port and the data file. False when the port would not close
    // (reported).
    bool close();

    // The module chosen in the selection dialog: the graph's title and caption, then the
    // run-mode check, which starts a module that is not running.
    void SelectModule(ModuleType type);
    // Asks for the data file and starts the module's stream. True when logging started; the
    // window then starts the navigation session's cast.
    bool StartLogging();
    // Stops the stream, closes the data file and completes the cast information.
    void EndLogging();
    // One data tick reading the port without waiting.
    ModuleTick tick();
    // One data tick with the bytes the port delivered (at most kMaxBytesPerTick are taken).
    ModuleTick tick(std::span<const std::uint8_t> bytes);

    // "&Port Setup": the data port's number and rate; a changed port is opened again.
    void PortSetup(PortSetupDialog& dialog);

    bool moduleSelected() const { return selected_; }
    bool logging() const { return logging_; }
    int recordCount() const { return recordCount_; }
    ModuleType moduleType() const { return type_; }
    // The data file's name without its directory, for the title.
    const std::string& fileName() const { return fileName_; }
    CastInfo& info() { return info_; }
    const ListingText& listing() const { return listing_; }
    ModGraphData& graph() { return graph_; }
    const ModGraphData& graph() const { return graph_; }
    CommPort& dataPort() { return port_; }

private:
    // The run-mode check: "mode" must be answered with "run".
    void checkRunMode();
    void logLine(std::string_view line, ModuleTick& result);
    // After a read that found the device gone: says once which device it was.
    void reportLostModule();
    void reportWriteFailure();

    Operator& op_;
    Profile& settingsFile_;
    NavSession& nav_;
    NavSession::LocalTime localTime_;
    CommPort port_;
    // The pause between the start commands [ms]: 300, or 1500 at 300 baud, 700 at 1200.
    std::uint32_t responseMs_ = 300;
    ModuleType type_ = ModuleType::Conductivity;
    bool selected_ = false;
    bool logging_ = false;
    bool lost_ = false;
    bool writeFailureShown_ = false;
    ModuleStamp stamp_;
    bool autoZoom_ = false;
    int zoomRate_ = 0;
    int recordCount_ = 0;
    int recordsSinceZoom_ = 0;
    Fifo queue_;
    ModuleLineReader reader_;
    RecordFile data_;
    std::string fileName_;
    CastInfo info_;
    ListingText listing_;
    ModGraphData graph_;
};

} // namespace halcyx
