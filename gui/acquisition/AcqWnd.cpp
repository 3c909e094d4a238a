#include "gui/acquisition/AcqWnd.h"

namespace halcyx {

AcqWnd::AcqWnd(WindowContext& context, QWidget* parent) : ClientWnd(parent), context_(context) {}

// The data and navigation ports come with the scan stream; until then there is none to
// open or close.
bool AcqWnd::closeDataPort() {
    return true;
}

void AcqWnd::openDataPort() {}

void AcqWnd::openNavigationPort() {}

} // namespace halcyx
