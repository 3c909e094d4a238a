#include "MainFrame.h"

namespace halcyx {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Halcyx - Configuration"));
}

} // namespace halcyx
