#include "gui/app/MessageDlg.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace halcyx {

namespace {

constexpr const char* kPicture = ":/bitmaps/bitmap6002.svg";
constexpr int kLineWidthPx = 320;

} // namespace

MessageDlg::MessageDlg(QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint), title_(new QLabel(this)),
      detail_(new QLabel(this)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(kPicture));
    picture->setAlignment(Qt::AlignCenter);
    for (QLabel* line : {title_, detail_}) {
        line->setAlignment(Qt::AlignCenter);
        line->setTextFormat(Qt::PlainText);
        line->setMinimumWidth(kLineWidthPx);
    }
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(title_);
    layout->addWidget(detail_);
}

void MessageDlg::present() {
    adjustSize();
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area =
        over ? over->geometry() : QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
    show();
    raise();
    repaint();
}

void MessageDlg::setTitleLine(const QString& text) {
    title_->setText(text);
    title_->repaint();
}

void MessageDlg::setDetailLine(const QString& text) {
    detail_->setText(text);
    detail_->repaint();
}

QString MessageDlg::titleLine() const {
    return title_->text();
}

QString MessageDlg::detailLine() const {
    return detail_->text();
}

} // namespace halcyx
