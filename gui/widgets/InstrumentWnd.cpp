#include "gui/widgets/InstrumentWnd.h"

#include "gui/widgets/PanelFont.h"
#include "gui/widgets/TextWnd.h"

#include <QPainter>

namespace halcyx {

namespace {

constexpr QPoint kPosition(1, 1);
constexpr int kReadoutX = 5;
constexpr int kFirstReadoutY = 25;
constexpr int kReadoutPitch = 20;
constexpr int kReadoutWidth = 210;
constexpr int kReadoutHeight = 18;
constexpr int kReadoutSplit = 100;
constexpr int kShadowY = 17;    // the etched separator: a grey line
constexpr int kHighlightY = 18; // over a white one
constexpr int kTitleHeight = 18, kTitleWidth = 9, kBoldWeight = 700;
const QColor kLightGrey(192, 192, 192);
const QColor kGrey(128, 128, 128);

} // namespace

InstrumentWnd::InstrumentWnd(QWidget* owner) : QWidget(owner) {
    setGeometry(QRect(kPosition, QSize(kWidth, kHeight)));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kLightGrey);
    setPalette(colours);
    const std::array<QString, kRows> captions = {"Model:", "S/N:", "Firmware Ver.:", "Cal. Date:"};
    for (int row = 0; row < kRows; ++row) {
        const QRect geometry(kReadoutX, kFirstReadoutY + row * kReadoutPitch, kReadoutWidth,
                             kReadoutHeight);
        readouts_[row] = new TextWnd(this, captions[row], geometry, kReadoutSplit);
    }
}

void InstrumentWnd::showInstrument(const QString& model, const QString& serialNumber,
                                   const QString& firmware, const QString& calDate) {
    readouts_[Model]->setValue(model);
    readouts_[SerialNumber]->setValue(serialNumber);
    readouts_[Firmware]->setValue(firmware);
    readouts_[CalDate]->setValue(calDate);
}

void InstrumentWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.setPen(kGrey);
    painter.drawLine(1, kShadowY, width() - 2, kShadowY);
    painter.setPen(Qt::white);
    painter.drawLine(1, kHighlightY, width() - 2, kHighlightY);
    painter.setFont(
        panelFont(QStringLiteral("Times New Roman"), kTitleHeight, kTitleWidth, kBoldWeight));
    painter.setPen(TextWnd::kNavy);
    painter.drawText(QRect(0, 0, width(), kShadowY), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Instrument"));
}

} // namespace halcyx
