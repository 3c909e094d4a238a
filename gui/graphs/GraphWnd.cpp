#include "gui/graphs/GraphWnd.h"

#include "core/graphs/ScaleMarks.h"
#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"
#include "gui/app/WindowContext.h"
#include "gui/graphs/AxisDlg.h"
#include "gui/graphs/GraphicsDlg.h"
#include "gui/plot/GraphColours.h"
#include "gui/plot/ProfileGraphPainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdio>

namespace halcyx {

namespace {

// Each curve label has two commands: its text, then its enable.
constexpr int kCommandsPerLabel = 2;
static_assert(cmd::kAxis4Enable - cmd::kAxis1Label + 1 == kCommandsPerLabel * kHorizontalAxes);
constexpr int kPromptChars = 64;
constexpr int kMemoryChars = 96;

PixelPoint pixelPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

QPoint qPoint(PixelPoint p) {
    return {p.x, p.y};
}

} // namespace

GraphWnd::GraphWnd(WindowContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setWindowTitle(QStringLiteral("CTD Plot"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (!graph_.buffer().allocated()) {
        std::array<char, kMemoryChars> text{};
        std::snprintf(text.data(), text.size(),
                      "Error Creating Graph RawData Buffer\nMemory Size = %ld",
                      static_cast<long>(ProfileBuffer::kCapacity));
        context_.op.message(text.data(), "MEMORY ALLOCATION ERROR", Icon::Stop);
    }
}

GraphWnd::~GraphWnd() = default;

void GraphWnd::setChannels(const ChannelList& channels, ScanLayout layout) {
    channels_ = channels;
    graph_.setExtensionStep(layout == ScanLayout::Vexa ? ProfileGraph::kVexaExtension
                                                       : ProfileGraph::kTavrinExtension);
    settings_ = readProfileGraphSettings(context_.settings, static_cast<int>(channels.size()) - 1);
    applyGraphSettings(graph_, settings_, channels_);
    nameCoordinates();
    if (kGraphAxisCoordinates.read(context_.settings) != 0)
        showCoordinates(true);
    emit autoZoomChanged(autoZoomEnabled(), updateRate());
    redraw();
}

void GraphWnd::clearData() {
    graph_.clear();
    redraw();
}

bool GraphWnd::onCommand(int command) {
    if (command >= cmd::kAxis1Label && command <= cmd::kAxis4Enable) {
        const int index = (command - cmd::kAxis1Label) / kCommandsPerLabel;
        if ((command - cmd::kAxis1Label) % kCommandsPerLabel == 0) {
            askCurveLabel(index);
        } else {
            graph_.labels().show(index, !graph_.labels()[index].shown);
            redraw();
        }
        return true;
    }
    switch (command) {
    case cmd::kGraphSetup:
        openSetup();
        return true;
    case cmd::kGraphZoomAll:
        onZoom();
        return true;
    case cmd::kGraphCoordinates: {
        const bool shown = coordinates_ == nullptr || !coordinates_->isVisible();
        showCoordinates(shown);
        kGraphAxisCoordinates.write(context_.settings, shown ? 1 : 0);
        return true;
    }
    default:
        return false;
    }
}

CommandState GraphWnd::commandState(int command) const {
    if (command >= cmd::kAxis1Label && command <= cmd::kAxis4Enable) {
        const int offset = command - cmd::kAxis1Label;
        return {true, offset % kCommandsPerLabel == 1 &&
                          graph_.labels()[offset / kCommandsPerLabel].shown};
    }
    if (command == cmd::kGraphCoordinates)
        return {true, coordinates_ != nullptr && coordinates_->isVisible()};
    if (command >= cmd::kGraphSetup && command < cmd::kGraphCoordinates)
        return {true, false};
    return {false, false};
}

void GraphWnd::onScan(const ScanRecord& record, std::size_t valueCount) {
    if (!graph_.buffer().allocated())
        return;
    // A window not shown yet has had no resize event, but points need its layout already.
    const PixelRect client{0, 0, width(), height()};
    if (graph_.client() != client)
        graph_.setClient(client);
    const std::optional<CurveSteps> steps = graph_.addScan(record.values, valueCount);
    if (!steps || canvas_.size() != size()) {
        update();
        return;
    }
    QPainter painter(&canvas_);
    QRect touched;
    for (int k = 0; k < kHorizontalAxes; ++k) {
        if (!graph_.horizontal(k).enabled)
            continue;
        const CurveStep& step = (*steps)[static_cast<std::size_t>(k)];
        painter.setPen(kAxisColours[static_cast<std::size_t>(k)]);
        painter.drawLine(qPoint(step.from), qPoint(step.to));
        touched |= QRect(qPoint(step.from), qPoint(step.to)).normalized().adjusted(-1, -1, 1, 1);
    }
    update(touched);
}

void GraphWnd::onZoom() {
    graph_.zoomToFit();
    redraw();
}

void GraphWnd::openSetup() {
    GraphicsDlg dialog(graph_, channels_, settings_, context_.op, context_.settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    nameCoordinates();
    emit autoZoomChanged(autoZoomEnabled(), updateRate());
    redraw();
}

void GraphWnd::askCurveLabel(int index) {
    std::array<char, kPromptChars> prompt{};
    std::snprintf(prompt.data(), prompt.size(), "Enter the label for curve #%d:", index + 1);
    const std::optional<std::string> text = context_.op.input(
        "Curve Label", prompt.data(), graph_.labels()[index].text, CurveLabels::kMaxChars);
    if (text)
        graph_.labels().setText(index, *text);
}

void GraphWnd::showCoordinates(bool shown) {
    if (coordinates_ == nullptr) {
        coordinates_ = new AxisDlg(this);
        nameCoordinates();
    }
    coordinates_->setVisible(shown);
}

void GraphWnd::nameCoordinates() {
    if (coordinates_ == nullptr)
        return;
    std::array<QString, AxisDlg::kAxes> names;
    names[0] = QString::fromStdString(graph_.vertical().label);
    for (int k = 0; k < kHorizontalAxes; ++k)
        names[static_cast<std::size_t>(k) + 1] = QString::fromStdString(graph_.horizontal(k).label);
    coordinates_->setNames(names);
}

void GraphWnd::showValuesAt(PixelPoint pointer) {
    if (coordinates_ == nullptr)
        return;
    const ProfileValues v = ProfileValuesAt(graph_.layout().plot, graph_.ranges(), pointer);
    std::array<QString, AxisDlg::kAxes> values;
    values[0] = QString::fromStdString(FormatLabel(LabelStyle::WholeNumber, v.vertical, {}));
    for (std::size_t k = 0; k < v.horizontal.size(); ++k)
        values[k + 1] =
            QString::fromStdString(FormatLabel(LabelStyle::ThreeDecimals, v.horizontal[k], {}));
    coordinates_->setValues(values);
}

void GraphWnd::render() {
    canvas_ = QImage(size(), QImage::Format_RGB32);
    graph_.setClient({0, 0, width(), height()});
    graph_.rebuildCurves();
    QPainter painter(&canvas_);
    ProfileGraphPainter(graph_).draw(painter, rect());
    graph_.markDrawn();
}

void GraphWnd::redraw() {
    graph_.requestRedraw();
    update();
}

void GraphWnd::paintEvent(QPaintEvent*) {
    if (canvas_.size() != size() || graph_.redrawPending())
        render();
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
    if (zoom_.active()) {
        painter.setPen(QPen(kGraphBackground, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(qPoint(zoom_.anchor()), qPoint(zoom_.corner())).normalized());
    }
}

void GraphWnd::resizeEvent(QResizeEvent*) {
    graph_.setClient({0, 0, width(), height()});
    redraw();
}

void GraphWnd::mousePressEvent(QMouseEvent* event) {
    const PixelPoint p = pixelPoint(event);
    if (event->button() == Qt::LeftButton) {
        zoom_.press(graph_.layout().plot, p);
        update();
    } else if (event->button() == Qt::RightButton) {
        if (graph_.labels().press(p))
            redraw();
        if (graph_.labels().dragging())
            setCursor(Qt::ClosedHandCursor);
    }
}

void GraphWnd::mouseMoveEvent(QMouseEvent* event) {
    const PixelPoint p = pixelPoint(event);
    if (zoom_.active()) {
        zoom_.move(graph_.layout().plot, p);
        update();
        return;
    }
    if (graph_.labels().dragging())
        return;
    const bool inside = graph_.layout().plot.containsStrictly(p);
    setCursor(inside ? Qt::CrossCursor : Qt::ArrowCursor);
    if (inside)
        showValuesAt(p);
}

void GraphWnd::mouseReleaseEvent(QMouseEvent* event) {
    const PixelPoint p = pixelPoint(event);
    if (event->button() == Qt::LeftButton && zoom_.active()) {
        if (const auto zoomed = zoom_.release(graph_.layout().plot, graph_.ranges()))
            graph_.setRanges(*zoomed);
        redraw();
    } else if (event->button() == Qt::RightButton && graph_.labels().release(p)) {
        setCursor(Qt::ArrowCursor);
        redraw();
    }
}

} // namespace halcyx
