#pragma once

#include "core/settings/Profile.h"
#include "gui/app/VeltroApp.h"
#include "sim/GpsReceiver.h"
#include "tests/support/SimRig.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QUrl>

namespace halcyx::test {

// A GPS receiver on a line of its own, behind the device path the program opens it on.
struct SimGps {
    SimGps(Clock& clock, std::string onPath, sim::GpsReceiver::Config config = {})
        : path(std::move(onPath)), receiver(config), line(clock, receiver) {}
    std::string path;
    sim::GpsReceiver receiver;
    sim::SimDevice line;
};

// A port of the program that becomes, as it is opened, the GPS receiver's line on its path
// and the instrument's line on any other, as two adapters on one machine would.
class RoutedPort : public SerialDevice {
public:
    RoutedPort(std::unique_ptr<SerialDevice> instrument, const std::unique_ptr<SimGps>& gps)
        : instrument_(std::move(instrument)), gps_(gps), line_(instrument_.get()) {}
    bool open(const std::string& path) override {
        line_ = gps_ && path == gps_->path ? &gps_->line : instrument_.get();
        return line_->open(path);
    }
    bool setLine(std::uint32_t baud) override { return line_->setLine(baud); }
    long read(std::span<std::uint8_t> buf) override { return line_->read(buf); }
    long write(std::span<const std::uint8_t> data) override { return line_->write(data); }
    bool purge(PurgeWhat what) override { return line_->purge(what); }
    bool close() override { return line_->close(); }
    bool isOpen() const override { return line_->isOpen(); }
    int lastError() const override { return line_->lastError(); }
    std::string lastErrorText() const override { return line_->lastErrorText(); }

private:
    std::unique_ptr<SerialDevice> instrument_;
    const std::unique_ptr<SimGps>& gps_;
    SerialDevice* line_;
};

// The whole program on a simulated instrument on COM1 that it looks for at start-up: a
// settings file of its own in a temporary folder, the rig's scripted operator and virtual
// clock, and help that opens nothing. A GPS receiver, once attached, answers on its own
// path. A fixture derives from it after GuiTest, so that the application object exists first.
struct SimProgram {
    explicit SimProgram(ProductCode model = ProductCode::Vexa3, const AdjustConfig& adjust = {})
        : rig(model, adjust) {
        settings.writeString("SETTINGS", "CheckInt", "1");
        rig.pumpEvents = [] { QApplication::processEvents(); };
    }
    // From now on the program finds the receiver on the device path onPath.
    void attachGps(const std::string& onPath, sim::GpsReceiver::Config config = {}) {
        gps = std::make_unique<SimGps>(rig.clock, onPath, config);
    }

    TempFolder folder;
    Profile settings{folder.path() / "Halcyx.ini"};
    SimRig rig;
    ScriptedOperator& op = rig.op;
    std::unique_ptr<SimGps> gps;
    VeltroApp app{{settings, &op, &rig.clock,
                   [this] { return std::make_unique<RoutedPort>(rig.connect(), gps); },
                   [](const QUrl&) { return true; }}};
};

} // namespace halcyx::test
