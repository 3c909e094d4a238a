#pragma once

#include "core/settings/Profile.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace halcyx {

// Every key of the settings file Halcyx.ini with its default, in one place. Readers give
// the default at each read and nothing is cached, so a value one window writes is what the
// next read in any other window sees. Values are stored as text, flags as "1" or "0".

// An integer key; the section is given at the call.
struct IntKey {
    std::string_view name;
    int def;

    int read(const Profile& profile, std::string_view section) const;
    // Written in decimal ("1" or "0" for flags).
    void write(Profile& profile, std::string_view section, int value) const;
};

// A text key read into a buffer of maxChars + 1 characters.
struct TextKey {
    std::string_view name;
    std::string_view def;
    std::size_t maxChars;

    std::string read(const Profile& profile, std::string_view section) const;
    void write(Profile& profile, std::string_view section, std::string_view value) const;
};

// A key of a fixed section.
template <typename Key> struct Setting {
    std::string_view section;
    Key key;

    auto read(const Profile& profile) const { return key.read(profile, section); }
    template <typename Value> void write(Profile& profile, const Value& value) const {
        key.write(profile, section, value);
    }
};
using IntSetting = Setting<IntKey>;
using TextSetting = Setting<TextKey>;

// A name made from a printf format with one %d, such as "PGRAPH%d" or "COM%d".
std::string numberedName(const char* format, int number);

// Program settings.
inline constexpr TextSetting kHelpFile{"SETTINGS", {"HelpFile", "C:\\Halcyx", 254}};
inline constexpr IntSetting kCheckInt{"SETTINGS", {"CheckInt", 0}};

// The instrument port. Port numbers outside 1..4 read as the default.
inline constexpr IntSetting kInstrumentPort{"COMMPORT", {"Port", 1}};
inline constexpr IntSetting kInstrumentBaud{"COMMPORT", {"Baudrate", 9600}};

// The navigation (GPS) port. Its port default depends on the window that reads it.
inline constexpr IntSetting kNavEnable{"NAVCOMMPORT", {"Enable", 0}};
inline constexpr IntSetting kNavTimeStamp{"NAVCOMMPORT", {"EnableTimeStamp", 0}};
inline constexpr IntSetting kNavPcTime{"NAVCOMMPORT", {"PCTime", 1}};
inline constexpr IntSetting kNavGpsTime{"NAVCOMMPORT", {"GPSTime", 0}};
inline constexpr IntSetting kNavPort{"NAVCOMMPORT", {"Port", 2}};       // profile and towed
inline constexpr IntSetting kNavPortModule{"NAVCOMMPORT", {"Port", 1}}; // module acquisition
inline constexpr IntSetting kNavBaud{"NAVCOMMPORT", {"Baudrate", 9600}};

// The profile graph.
inline constexpr std::size_t kAxisTextChars = 29;
inline constexpr TextSetting kGraphTitle{"GRAPH", {"Title", "CTD Data", 59}};
inline constexpr IntSetting kGraphAxisCoordinates{"GRAPH", {"AxisCoordinates", 0}};
inline constexpr TextSetting kYLabel{"YAXIS", {"Y.Label", "Depth", kAxisTextChars}};
inline constexpr TextSetting kYMin{"YAXIS", {"Y.Min", "0", kAxisTextChars}};
inline constexpr TextSetting kYMax{"YAXIS", {"Y.Max", "10000", kAxisTextChars}};
inline constexpr IntSetting kYParam{"YAXIS", {"Y.Param", 3}};

// One of the four x axes of the profile graph.
struct XAxisSettings {
    TextSetting label;
    TextSetting min;
    TextSetting max;
    IntSetting param;
    IntSetting enable;
};
inline constexpr std::size_t kXAxisCount = 4;
inline constexpr std::array<XAxisSettings, kXAxisCount> kXAxes{{
    {{"XAXIS", {"X1.Label", "Conductivity", kAxisTextChars}},
     {"XAXIS", {"X1.Min", "0", kAxisTextChars}},
     {"XAXIS", {"X1.Max", "70", kAxisTextChars}},
     {"XAXIS", {"X1.Param", 1}},
     {"XAXIS", {"X1.Enable", 1}}},
    {{"XAXIS", {"X2.Label", "Temperature", kAxisTextChars}},
     {"XAXIS", {"X2.Min", "0", kAxisTextChars}},
     {"XAXIS", {"X2.Max", "30", kAxisTextChars}},
     {"XAXIS", {"X2.Param", 2}},
     {"XAXIS", {"X2.Enable", 1}}},
    {{"XAXIS", {"X3.Label", "Temperature", kAxisTextChars}},
     {"XAXIS", {"X3.Min", "0", kAxisTextChars}},
     {"XAXIS", {"X3.Max", "7000", kAxisTextChars}},
     {"XAXIS", {"X3.Param", 3}},
     {"XAXIS", {"X3.Enable", 1}}},
    {{"XAXIS", {"X4.Label", "Fast Temp", kAxisTextChars}},
     {"XAXIS", {"X4.Min", "5", kAxisTextChars}},
     {"XAXIS", {"X4.Max", "30", kAxisTextChars}},
     {"XAXIS", {"X4.Param", 4}},
     {"XAXIS", {"X4.Enable", 1}}},
}};

inline constexpr IntSetting kAutoZoomEnable{"AUTOZOOM", {"Enable", 0}};
inline constexpr TextSetting kAutoZoomRate{"AUTOZOOM", {"Rate", "100", 5}};
inline constexpr IntSetting kGridEnable{"GRID", {"Enable", 0}};

// The four pressure graphs of towed acquisition: the same keys in the sections
// "PGRAPH1".."PGRAPH4".
inline constexpr int kPressureGraphCount = 4;
inline constexpr const char* kPressureGraphSectionFormat = "PGRAPH%d";
// The section of pressure graph 1..4.
inline std::string pressureGraphSection(int graph) {
    return numberedName(kPressureGraphSectionFormat, graph);
}
namespace pressure_graph {
inline constexpr std::size_t kValueChars = 9;
inline constexpr TextKey kLowPres{"LowPres", "0.0", kValueChars};
inline constexpr TextKey kHighPres{"HighPres", "300.0", kValueChars};
inline constexpr TextKey kLowThres{"LowThres", "0.0", kValueChars};
inline constexpr TextKey kHighThres{"HighThres", "300.0", kValueChars};
inline constexpr IntKey kEnable{"Enable", 0};
inline constexpr IntKey kGrid{"Grid", 0};
inline constexpr IntKey kWidth{"Width", 0};
inline constexpr IntKey kUnits{"Units", 0};
inline constexpr IntKey kParamIndex{"ParamIndex", 0};
} // namespace pressure_graph

// The module graph.
inline constexpr std::size_t kModuleGraphValueChars = 9;
inline constexpr TextSetting kModGraphLow{"MODGRAPH", {"Low", "0.0", kModuleGraphValueChars}};
inline constexpr TextSetting kModGraphHigh{"MODGRAPH", {"High", "300.0", kModuleGraphValueChars}};
inline constexpr IntSetting kModGraphEnable{"MODGRAPH", {"Enable", 0}};
inline constexpr IntSetting kModGraphGrid{"MODGRAPH", {"Grid", 0}};
inline constexpr IntSetting kModGraphWidth{"MODGRAPH", {"Width", 0}};
inline constexpr IntSetting kModGraphUnits{"MODGRAPH", {"Units", 0}};

// The device behind each COM number: keys "COM1".."COM4" of the section "PORTS". Their
// defaults are the serial layer's own, CommPort::defaultPathForPort (/dev/ttyS0..3).
inline constexpr std::string_view kPortsSection = "PORTS";
inline constexpr const char* kComPortKeyFormat = "COM%d";
inline constexpr std::size_t kDevicePathChars = 1023;

} // namespace halcyx
