#pragma once

#include "core/serial/SerialDevice.h"

#include <functional>
#include <memory>

namespace halcyx {

class Clock;
class HelpViewer;
class Operator;
class Profile;

// What the application hands every client window: the operator, the clock every pause
// goes through, the settings file, the help, and a maker of serial devices (one per port).
struct WindowContext {
    Operator& op;
    Clock& clock;
    Profile& settings;
    HelpViewer& help;
    std::function<std::unique_ptr<SerialDevice>()> makeDevice;
};

} // namespace halcyx
