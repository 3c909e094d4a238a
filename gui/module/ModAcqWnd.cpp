#include "gui/module/ModAcqWnd.h"

namespace halcyx {

namespace {

constexpr QColor kBackground{128, 128, 128};

} // namespace

ModAcqWnd::ModAcqWnd(WindowContext& context, QWidget* parent)
    : ClientWnd(parent), context_(context) {
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kBackground);
    setPalette(grey);
    setAutoFillBackground(true);
}

// The module's data and navigation ports come with its record stream; until then there is
// none to open.
void ModAcqWnd::openDataPort() {}

void ModAcqWnd::openNavigationPort() {}

} // namespace halcyx
