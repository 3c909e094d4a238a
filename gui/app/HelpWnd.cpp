#include "gui/app/HelpWnd.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace halcyx {

namespace {

constexpr QSize kInitialSize(720, 640); // [px]

} // namespace

HelpWnd::HelpWnd(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Halcyx Help"));
    browser_->setOpenExternalLinks(true);
    auto* external = new QPushButton(QStringLiteral("Open in Browser"), this);
    connect(external, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(browser_->source()); });
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(external);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    resize(kInitialSize);
}

void HelpWnd::showPage(const QUrl& url) {
    // Shown first, so that the page is laid out at the window's width before it scrolls.
    show();
    raise();
    activateWindow();
    const QUrl page = url.adjusted(QUrl::RemoveFragment);
    if (browser_->source().adjusted(QUrl::RemoveFragment) != page)
        browser_->setSource(page);
    if (url.hasFragment())
        browser_->scrollToAnchor(url.fragment());
    else
        browser_->verticalScrollBar()->setValue(0);
}

} // namespace halcyx
