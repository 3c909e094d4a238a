#include "gui/printing/PreviewFrame.h"

#include "gui/printing/Printout.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace halcyx {

PreviewFrame::PreviewFrame(std::shared_ptr<const Printout> printout, QPrinter& printer,
                           QWidget* mainWindow)
    : printout_(std::move(printout)), mainWindow_(mainWindow),
      view_(new QPrintPreviewWidget(&printer, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Veltro Acquisition Print Preview"));
    setCentralWidget(view_);
    view_->setViewMode(QPrintPreviewWidget::SinglePageView);
    view_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* target) {
        QPainter painter(target);
        printout_->drawPage(painter, QRect(0, 0, target->width(), target->height()));
    });

    QToolBar* bar = addToolBar(QStringLiteral("Preview"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(QStringLiteral("Print"), this, [this] {
        close();
        emit printRequested();
    });
    bar->addAction(QStringLiteral("Save PDF..."), this, [this] { emit pdfRequested(); });
    bar->addAction(QStringLiteral("Close"), this, &QWidget::close);
}

PreviewFrame::~PreviewFrame() = default;

void PreviewFrame::open() {
    if (mainWindow_) {
        setGeometry(mainWindow_->geometry());
        const bool maximised = mainWindow_->isMaximized();
        mainWindow_->hide();
        if (maximised) {
            showMaximized();
            return;
        }
    }
    show();
}

void PreviewFrame::closeEvent(QCloseEvent* event) {
    if (mainWindow_)
        mainWindow_->show();
    event->accept();
}

} // namespace halcyx
