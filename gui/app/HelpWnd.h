#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace halcyx {

// The shipped help pages inside the program, so help works on a machine without a desktop
// browser: a browser pane at the section asked for, and a button that offers the page to
// the desktop's browser for those who prefer it.
class HelpWnd : public QWidget {
    Q_OBJECT
public:
    explicit HelpWnd(QWidget* parent = nullptr);

    // Shows the page, scrolled to the URL's section, and brings the window to the front.
    void showPage(const QUrl& url);
    QTextBrowser& browser() { return *browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace halcyx
