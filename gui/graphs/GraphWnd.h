#pragma once

#include "core/acquisition/CastSession.h"
#include "core/acquisition/ChannelList.h"
#include "core/base/Commands.h"
#include "core/graphs/ProfileSettings.h"
#include "core/graphs/RubberBand.h"

#include <QImage>
#include <QWidget>

namespace halcyx {

class AxisDlg;
struct WindowContext;

// The profile graph as a child window of the acquisition window: it is fed one point per
// scan through the cast session, carries out the graph commands of the acquisition menus
// (setup, zoom all, curve labels, axis enables, coordinates) and reads and writes its
// settings through the cast's channel list. It keeps the drawn graph in an image: a scan adds
// its short pieces of curve there, and whatever changes the ranges or the layout redraws the
// whole cast into it.
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

    const ProfileGraph& graph() const { return graph_; }
    // Auto-zoom as last set up, and its update rate [scans], at least kMinUpdateRate.
    bool autoZoomEnabled() const { return settings_.autoZoom; }
    int updateRate() const { return updateRateOf(settings_.updateRate); }
    // The "Coordinates" panel; nullptr until first shown.
    AxisDlg* coordinates() const { return coordinates_; }

signals:
    // The auto-zoom setting was read or set up anew: the cast session is to follow it.
    void autoZoomChanged(bool enabled, int updateRate);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void openSetup();
    void askCurveLabel(int index);
    void showCoordinates(bool shown);
    void nameCoordinates();
    void showValuesAt(PixelPoint pointer);
    // The whole cast drawn afresh into the image at the window's size.
    void render();
    void redraw();

    WindowContext& context_;
    ProfileGraph graph_;
    ChannelList channels_;
    ProfileGraphSettings settings_;
    RubberBand zoom_;
    QImage canvas_;
    AxisDlg* coordinates_ = nullptr;
};

} // namespace halcyx
