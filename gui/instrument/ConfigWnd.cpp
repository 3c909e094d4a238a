#include "instrument/ConfigWnd.h"

#include "app/SettingsDlg.h"

namespace halcyx {

ConfigWnd::ConfigWnd(WindowContext& context, QWidget* parent)
    : ClientWnd(parent), context_(context) {}

// The instrument exchanges below belong to the instrument layer, which is attached to this
// window separately; until then the window has no port and nothing to ask.
void ConfigWnd::readInstrumentSettings() {}

void ConfigWnd::enterRunMode() {}

bool ConfigWnd::closePort() {
    return true;
}

bool ConfigWnd::openPortFromSettings() {
    return true;
}

void ConfigWnd::requestOpenMode() {}

bool ConfigWnd::onCommand(int command) {
    if (command == cmd::kProperties) {
        showSettings();
        return true;
    }
    return false;
}

CommandState ConfigWnd::commandState(int command) const {
    if (command == cmd::kProperties)
        return {};
    return ClientWnd::commandState(command);
}

void ConfigWnd::showSettings() {
    SettingsDlg dialog(context_.settings, context_.help, context_.op, this);
    dialog.exec();
}

} // namespace halcyx
