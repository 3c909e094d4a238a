#include "gui/graphs/PresGraphWnd.h"

#include "core/acquisition/ChannelList.h"
#include "core/acquisition/ScanRecord.h"
#include "core/graphs/PresGraphSettings.h"
#include "core/instrument/Format.h"
#include "core/navigation/NavFix.h"
#include "gui/app/SequenceGuard.h"
#include "gui/widgets/TextWnd.h"

#include <QPainter>
#include <QScrollBar>

namespace halcyx {

namespace {

// Child windows, placed from the client area's right edge [pixels].
constexpr int kReadoutSplit = 50;
constexpr int kValueFromRight = 150, kValueTop = 10, kValueWidth = 140;
constexpr int kPositionFromRight = 135, kPositionTop = 67, kPositionWidth = 130;
constexpr int kScrollFromRight = 135, kScrollTop = 50, kScrollWidth = 120, kScrollHeight = 15;
constexpr int kReadoutHeight = 18;

} // namespace

PresGraphWnd::PresGraphWnd(int index, QWidget* parent)
    : QWidget(parent), index_(index), graph_(index + 1),
      valueReadout_(new TextWnd(this, {}, {}, kReadoutSplit)),
      positionReadout_(new TextWnd(this, QStringLiteral("View Position"), {}, kReadoutSplit)),
      scrollBar_(new QScrollBar(Qt::Horizontal, this)) {
    positionReadout_->setValue(QStringLiteral("0"));
    scrollBar_->setSingleStep(StripView::kLineStep);
    scrollBar_->setPageStep(StripView::kPageStep);
    fitScrollBar();
    connect(scrollBar_, &QAbstractSlider::actionTriggered, this, &PresGraphWnd::onScrollAction);
}

void PresGraphWnd::loadSettings(const Profile& settings, const ChannelList& channels) {
    applySettings(readPresGraphSettings(settings, index_ + 1), channels);
}

void PresGraphWnd::applySettings(const PresGraphSettings& settings, const ChannelList& channels) {
    applyPresGraphSettings(settings, graph_);
    graphEnabled_ = settings.enable;
    const auto position = static_cast<std::size_t>(settings.paramIndex);
    const bool listed = settings.paramIndex >= 0 && position < channels.size();
    graph_.setColourName(listed ? channels.entries()[position].label : std::string());
    colourIndex_ = channels.recordIndex(settings.paramIndex);
    valueReadout_->setCaption(QString::fromStdString(graph_.colourName()));
    fitScrollBar();
    setVisible(graphEnabled_);
    update();
}

void PresGraphWnd::startCast(double scansPerSecond) {
    graph_.reset();
    graph_.setScanRate(scansPerSecond);
    fitScrollBar();
    update();
}

void PresGraphWnd::addScan(const ScanRecord& record, const NavFix& fix) {
    const float value = record[colourIndex_];
    graph_.addSample(record[scan::vexa::kPressure], value);
    graph_.addPosition(fix.latitude, fix.latHemisphere, fix.longitude, fix.lonHemisphere);
    valueReadout_->setValue(
        QString::fromStdString(formatText("%10.4f", static_cast<double>(value))));
}

void PresGraphWnd::redrawStrip() {
    update();
}

void PresGraphWnd::onScrollAction(int action) {
    using Scroll = StripView::Scroll;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        graph_.scroll(Scroll::LineLeft);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        graph_.scroll(Scroll::LineRight);
        break;
    case QAbstractSlider::SliderPageStepSub:
        graph_.scroll(Scroll::PageLeft);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        graph_.scroll(Scroll::PageRight);
        break;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum:
        graph_.scroll(Scroll::ToPosition, scrollBar_->sliderPosition());
        break;
    default:
        return;
    }
    // The thumb shows where the view went, which the history may have held back.
    scrollBar_->setSliderPosition(graph_.view().scrollPosition());
    showViewPosition();
    update();
}

void PresGraphWnd::showViewPosition() {
    positionReadout_->setValue(QString::number(graph_.viewPosition()));
}

void PresGraphWnd::fitScrollBar() {
    scrollBar_->setRange(0, graph_.view().scrollMaximum());
    scrollBar_->setValue(graph_.view().scrollPosition());
}

void PresGraphWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter_.draw(painter, rect());
}

void PresGraphWnd::resizeEvent(QResizeEvent*) {
    const int w = width();
    valueReadout_->setGeometry(w - kValueFromRight, kValueTop, kValueWidth, kReadoutHeight);
    positionReadout_->setGeometry(w - kPositionFromRight, kPositionTop, kPositionWidth,
                                  kReadoutHeight);
    scrollBar_->setGeometry(w - kScrollFromRight, kScrollTop, kScrollWidth, kScrollHeight);
}

void PresGraphWnd::mouseDoubleClickEvent(QMouseEvent*) {
    SequenceGuard::whenIdle(this, [this] { emit setupRequested(index_); });
}

} // namespace halcyx
