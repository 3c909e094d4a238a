#include "gui/graphs/GraphWnd.h"

#include "gui/app/WindowContext.h"

namespace halcyx {

GraphWnd::GraphWnd(WindowContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

GraphWnd::~GraphWnd() = default;

void GraphWnd::setChannels(const ChannelList&, ScanLayout) {}

void GraphWnd::clearData() {}

bool GraphWnd::onCommand(int) {
    return false;
}

CommandState GraphWnd::commandState(int) const {
    return {false, false};
}

void GraphWnd::onScan(const ScanRecord&, std::size_t) {}

void GraphWnd::onZoom() {}

} // namespace halcyx
