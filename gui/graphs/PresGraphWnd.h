#pragma once

#include "core/graphs/PresGraph.h"
#include "gui/plot/PresGraphPainter.h"

#include <QWidget>
#include <cstddef>

class QScrollBar;

namespace halcyx {

class ChannelList;
class Profile;
class TextWnd;
struct NavFix;
struct PresGraphSettings;
struct ScanRecord;

// One towed pressure graph as a child window of the acquisition window: the strip drawn
// by its painter, the readout of the latest colour value, the scroll bar over the history
// and the "View Position" readout. The acquisition window feeds it every scan and redraws
// it every tenth; a double click asks the owner for the graph's setup.
class PresGraphWnd : public QWidget {
    Q_OBJECT
public:
    // index 0 to 3 (graph 1 to 4).
    explicit PresGraphWnd(int index, QWidget* parent = nullptr);

    int index() const { return index_; }
    PresGraph& graph() { return graph_; }
    const PresGraph& graph() const { return graph_; }
    TextWnd& valueReadout() { return *valueReadout_; }
    TextWnd& positionReadout() { return *positionReadout_; }
    QScrollBar& scrollBar() { return *scrollBar_; }

    // The PGRAPH settings of this graph, read when acquisition starts; the stored colour
    // parameter position is looked up in the channel list.
    void loadSettings(const Profile& settings, const ChannelList& channels);
    // Settings the setup dialog accepted (or the file held) into the graph, the scroll bar
    // and the readout caption; shows or hides the window by their Enable flag.
    void applySettings(const PresGraphSettings& settings, const ChannelList& channels);
    // Shown in towed mode: the Enable flag of the settings.
    bool graphEnabled() const { return graphEnabled_; }
    // The scan record index whose value picks each sample's colour.
    std::size_t colourIndex() const { return colourIndex_; }

    // Logging starts: the history is emptied, the view is live and the x labels turn
    // sample counts into seconds with the instrument's sampling rate [scans/s].
    void startCast(double scansPerSecond);
    // One scan of a towed cast: its pressure and colour value, and the current position.
    void addScan(const ScanRecord& record, const NavFix& fix);
    // Every tenth scan: shows what was added.
    void redrawStrip();

signals:
    // The operator asks for this graph's setup (index 0 to 3); sent after the event that
    // asked has been handled.
    void setupRequested(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void onScrollAction(int action);
    void showViewPosition();
    // The scroll bar's range for the view width, its thumb where the offset puts it.
    void fitScrollBar();

    int index_;
    PresGraph graph_;
    PresGraphPainter painter_{graph_};
    TextWnd* valueReadout_;
    TextWnd* positionReadout_;
    QScrollBar* scrollBar_;
    std::size_t colourIndex_ = 0;
    bool graphEnabled_ = false;
};

} // namespace halcyx
