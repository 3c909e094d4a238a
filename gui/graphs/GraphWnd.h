#pragma once

#include "core/acquisition/CastSession.h"
#include "core/acquisition/ChannelList.h"
#include "core/base/Commands.h"

#include <QWidget>

namespace halcyx {

struct WindowContext;

// The profile graph as a child window of the acquisition window: it is fed one point per
// scan through the cast session, carries out the graph commands of the acquisition menus
// (setup, zoom all, curve labels, axis enables, coordinates) and reads and writes its
// settings through the cast's channel list.
class GraphWnd : public QWidget, public ScanSubscriber {
    Q_OBJECT
public:
    explicit GraphWnd(WindowContext& context, QWidget* parent = nullptr);
    ~GraphWnd() override;

    // The plottable parameters of the connected instrument; reads the graph settings
    // through them. The vertical-extension step follows the layout (Tavrin 50, Vexa 100).
    void setChannels(const ChannelList& channels, ScanLayout layout);
    // Cast start: forgets every stored scan and empties the curves.
    void clearData();

    // The graph commands (kGraphSetup to kGraphCoordinates); false for any other.
    bool onCommand(int command);
    CommandState commandState(int command) const;

    // ScanSubscriber: one point per scan, and auto-zoom when due.
    void onScan(const ScanRecord& record, std::size_t valueCount) override;
    void onZoom() override;

private:
    WindowContext& context_;
};

} // namespace halcyx
