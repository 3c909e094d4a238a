#pragma once

#include "core/module/ModGraphData.h"
#include "gui/plot/ModGraphPainter.h"

#include <QWidget>

class QScrollBar;

namespace halcyx {

class TextWnd;

// The module graph as a child window of the module window: the strip drawn by its painter,
// the "View Position" readout (0 = live) and the scroll bar that moves the view back
// through the history.
class ModGraph : public QWidget {
    Q_OBJECT
public:
    ModGraph(ModGraphData& data, QWidget* parent = nullptr);

    // Position labels along the strip, when the navigation port is in use.
    void setNavigation(bool navigation);
    // The samples or the range changed: draw the strip again.
    void redrawStrip();
    // Zoom to fit the samples in view; nothing while none is.
    void autozoom();
    // The view width changed: the scroll bar follows.
    void viewWidthChanged();

    // The strip's drawing, for the printout.
    const ModGraphPainter& painter() const { return painter_; }
    TextWnd& positionReadout() { return *position_; }
    QScrollBar& scrollBar() { return *scrollBar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onScroll(int position);
    // The scroll bar and the readout as the view now stands.
    void showView();

    ModGraphData& data_;
    ModGraphPainter painter_;
    TextWnd* position_;
    QScrollBar* scrollBar_;
};

} // namespace halcyx
