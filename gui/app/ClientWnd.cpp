#include "app/ClientWnd.h"

#include "app/MainFrame.h"

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

} // namespace halcyx
