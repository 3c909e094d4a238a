#include "gui/widgets/TextWnd.h"

#include "gui/widgets/PanelFont.h"

#include <QPainter>

namespace halcyx {

namespace {

const QColor kLightGrey(192, 192, 192);
const QColor kGrey(128, 128, 128);
const QString kFace = QStringLiteral("Times New Roman");
constexpr int kCaptionHeight = 14, kCaptionWidth = 6;
constexpr int kValueHeight = 16, kValueWidth = 8;
constexpr int kNormalWeight = 400;
constexpr int kCaptionTop = 3;
constexpr int kCaptionGap = 1; // between the caption's end and the split
constexpr int kValueTop = 2;
constexpr int kValueIndent = 3;

} // namespace

TextWnd::TextWnd(QWidget* owner, const QString& caption, const QRect& geometry, int split,
                 const QColor& captionColour, const QColor& valueColour)
    : QWidget(owner), caption_(caption.left(kMaxTextChars)), split_(split),
      captionColour_(captionColour), valueColour_(valueColour) {
    setGeometry(geometry);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kLightGrey);
    setPalette(colours);
}

void TextWnd::setValue(const QString& text) {
    value_ = text.left(kMaxTextChars);
    repaint();
}

void TextWnd::setCaption(const QString& text) {
    caption_ = text.left(kMaxTextChars);
    repaint();
}

void TextWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(kGrey);
    painter.setBrush(kLightGrey);
    painter.drawRect(split_, 0, width() - split_ - 1, height() - 1);

    // A caption longer than the room before the split runs off the left edge.
    painter.setFont(panelFont(kFace, kCaptionHeight, kCaptionWidth, kNormalWeight));
    painter.setPen(captionColour_);
    const int captionRight = split_ - kCaptionGap;
    const int captionWidth = painter.fontMetrics().horizontalAdvance(caption_);
    painter.drawText(QRect(captionRight - captionWidth, kCaptionTop, captionWidth, height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);

    painter.setFont(panelFont(kFace, kValueHeight, kValueWidth, kNormalWeight));
    painter.setPen(valueColour_);
    painter.drawText(QRect(split_ + kValueIndent, kValueTop, width(), height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, value_);
}

} // namespace halcyx
