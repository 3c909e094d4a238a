#include "gui/module/ModGraph.h"

#include "gui/widgets/TextWnd.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

namespace halcyx {

namespace {

constexpr int kReadoutLeft = 5, kReadoutAbove = 25; // [pixels from the left and bottom edges]
constexpr QSize kReadoutSize(130, 18);
constexpr int kReadoutSplit = 90;
constexpr int kScrollLeft = 140, kScrollRightRoom = 20, kScrollHeight = 20; // [pixels]

} // namespace

ModGraph::ModGraph(ModGraphData& data, QWidget* parent)
    : QWidget(parent), data_(data), painter_(data, false),
      position_(new TextWnd(this, QStringLiteral("View Position"),
                            QRect(QPoint(kReadoutLeft, 0), kReadoutSize), kReadoutSplit)),
      scrollBar_(new QScrollBar(Qt::Horizontal, this)) {
    scrollBar_->setSingleStep(StripView::kLineStep);
    scrollBar_->setPageStep(StripView::kPageStep);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &ModGraph::onScroll);
    showView();
}

void ModGraph::setNavigation(bool navigation) {
    painter_ = ModGraphPainter(data_, navigation);
    update();
}

void ModGraph::redrawStrip() {
    update();
}

void ModGraph::autozoom() {
    if (const auto range = data_.autozoomRange()) {
        data_.setRange(range->minimum, range->maximum);
        update();
    }
}

void ModGraph::viewWidthChanged() {
    showView();
    update();
}

void ModGraph::onScroll(int position) {
    data_.scroll(StripView::Scroll::ToPosition, position);
    showView();
    redrawStrip();
}

void ModGraph::showView() {
    const StripView& view = data_.view();
    const QSignalBlocker quiet(scrollBar_);
    scrollBar_->setRange(0, view.scrollMaximum());
    scrollBar_->setValue(view.scrollPosition());
    position_->setValue(QString::number(view.offset()));
}

void ModGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter_.draw(painter, rect());
}

void ModGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int bottom = height() - kReadoutAbove;
    position_->move(kReadoutLeft, bottom);
    scrollBar_->setGeometry(kScrollLeft, bottom, width() - kScrollLeft - kScrollRightRoom,
                            kScrollHeight);
}

} // namespace halcyx
