#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace halcyx {

// A one-line readout: a caption right-aligned up to the split and a value in a grey box
// from the split to the right edge. Owners use navy captions and green values.
class TextWnd : public QWidget {
    Q_OBJECT
public:
    // The most characters the caption and the value hold.
    static constexpr int kMaxTextChars = 49;
    static inline const QColor kNavy{0, 0, 128};
    static inline const QColor kGreen{0, 128, 0};

    // geometry in the owner's coordinates [px]; split: where the value box begins [px].
    TextWnd(QWidget* owner, const QString& caption, const QRect& geometry, int split,
            const QColor& captionColour = kNavy, const QColor& valueColour = kGreen);

    // Store the text and repaint at once.
    void setValue(const QString& text);
    void setCaption(const QString& text);
    QString value() const { return value_; }
    QString caption() const { return caption_; }
    int split() const { return split_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QString value_;
    int split_;
    QColor captionColour_;
    QColor valueColour_;
};

} // namespace halcyx
