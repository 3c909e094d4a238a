#pragma once

#include "core/app/ModeSwitcher.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/WindowContext.h"

#include <memory>

namespace halcyx {

class AcqWnd;
class ConfigWnd;
class MainFrame;
class ModAcqWnd;
class QtOperator;

// What the application is built on. Tests put in a scripted operator, a virtual clock and
// a help opener that records instead of showing the help window.
struct AppServices {
    Profile& settings;
    Operator* op = nullptr; // nullptr: the Qt dialogs
    Clock* clock = nullptr; // nullptr: the Qt clock that keeps windows painted
    std::function<std::unique_ptr<SerialDevice>()> makeDevice;
    HelpViewer::Opener helpOpener; // empty: the program's help window
};

// The application: reads the help location, creates the three client windows once and the
// main frame over them, and carries out the commands that belong to no single window: the
// mode switches, help contents, About and Exit.
class VeltroApp {
public:
    // The application's name, also the main frame's first title.
    static constexpr const char* kName = kTitleConfiguration;

    explicit VeltroApp(AppServices services);
    ~VeltroApp();
    VeltroApp(const VeltroApp&) = delete;
    VeltroApp& operator=(const VeltroApp&) = delete;

    // Places the main frame on the screen and shows it.
    void show();

    MainFrame& frame() { return *frame_; }
    ConfigWnd& configWnd() { return *config_; }
    AcqWnd& acqWnd() { return *acq_; }
    ModAcqWnd& modAcqWnd() { return *modAcq_; }
    ModeSwitcher& modes() { return *modes_; }
    HelpViewer& help() { return help_; }
    Operator& op() { return *op_; }

private:
    bool handleCommand(int command);

    HelpViewer help_;
    std::unique_ptr<QtOperator> qtOperator_;
    std::unique_ptr<Clock> qtClock_;
    Operator* op_;
    WindowContext context_;
    // Owned by the frame once it exists; the frame deletes them with itself.
    ModAcqWnd* modAcq_ = nullptr;
    AcqWnd* acq_ = nullptr;
    ConfigWnd* config_ = nullptr;
    std::unique_ptr<MainFrame> frame_;
    std::unique_ptr<ModeSwitcher> modes_;
};

} // namespace halcyx
