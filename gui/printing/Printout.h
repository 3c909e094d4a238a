#pragma once

#include <QRect>
#include <QString>

class QPainter;

namespace halcyx {

// A one-page printout: the title its print job carries and the drawing of its page. The
// printer, the preview and a PDF file all draw the same page through drawPage.
class Printout {
public:
    explicit Printout(QString title) : title_(std::move(title)) {}
    virtual ~Printout() = default;
    Printout(const Printout&) = delete;
    Printout& operator=(const Printout&) = delete;

    const QString& title() const { return title_; }
    void setTitle(QString title) { title_ = std::move(title); }

    // Draws the page into `page`, the printable area of the painter's device [device units].
    virtual void drawPage(QPainter& painter, QRect page) const = 0;

private:
    QString title_;
};

} // namespace halcyx
