#include "gui/app/ClientWnd.h"

#include "gui/app/MainFrame.h"

namespace halcyx {

bool ClientWnd::onCommand(int) {
    return false;
}

CommandState ClientWnd::commandState(int) const {
    return {false, false};
}

void ClientWnd::setFrameTitle(const QString& title) {
    window()->setWindowTitle(title);
}

MainFrame* ClientWnd::mainFrame() const {
    return dynamic_cast<MainFrame*>(window());
}

void ClientWnd::refreshCommands() {
    if (MainFrame* frame = mainFrame())
        frame->refreshCommandStates();
}

} // namespace halcyx
