#pragma once

#include "core/settings/Profile.h"
#include "gui/app/VeltroApp.h"
#include "tests/support/SimRig.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QUrl>

namespace halcyx::test {

// The whole program on a simulated instrument on COM1 that it looks for at start-up: a
// settings file of its own in a temporary folder, the rig's scripted operator and virtual
// clock, and help that opens nothing. A fixture derives from it after GuiTest, so that the
// application object exists first.
struct SimProgram {
    explicit SimProgram(ProductCode model = ProductCode::Vexa3, const AdjustConfig& adjust = {})
        : rig(model, adjust) {
        settings.writeString("SETTINGS", "CheckInt", "1");
        rig.pumpEvents = [] { QApplication::processEvents(); };
    }

    TempFolder folder;
    Profile settings{folder.path() / "Halcyx.ini"};
    SimRig rig;
    ScriptedOperator& op = rig.op;
    VeltroApp app{{settings, &op, &rig.clock, [this] { return rig.connect(); },
                   [](const QUrl&) { return true; }}};
};

} // namespace halcyx::test
