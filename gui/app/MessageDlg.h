#pragma once

#include <QFrame>

class QLabel;

namespace halcyx {

// The progress box of long command sequences: a small frameless box with a picture above
// two centred lines, the step and the command being sent. It takes no input; it stays up
// while its caller blocks, and the clock's sleeps keep it painted.
class MessageDlg : public QFrame {
    Q_OBJECT
public:
    explicit MessageDlg(QWidget* parent = nullptr);

    // Shows the box centred over the parent (or the screen).
    void present();
    void setTitleLine(const QString& text);
    void setDetailLine(const QString& text);
    QString titleLine() const;
    QString detailLine() const;

private:
    QLabel* title_;
    QLabel* detail_;
};

} // namespace halcyx
