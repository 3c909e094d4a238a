#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QPrinter;
class QPrintPreviewWidget;

namespace halcyx {

class Printout;

// The print preview: a window of its own in the main window's place (which hides while it is
// open) showing the page at the printer's paper size, with a command bar of Print, Save PDF
// and Close. Print and Close close it; it deletes itself when closed.
class PreviewFrame : public QMainWindow {
    Q_OBJECT
public:
    PreviewFrame(std::shared_ptr<const Printout> printout, QPrinter& printer, QWidget* mainWindow);
    ~PreviewFrame() override;

    // Shows the frame in the main window's place and hides the main window.
    void open();
    QPrintPreviewWidget& view() { return *view_; }

signals:
    // The operator asked to print what is shown; the frame is closing.
    void printRequested();
    // The operator asked to save what is shown as a PDF file.
    void pdfRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::shared_ptr<const Printout> printout_;
    QPointer<QWidget> mainWindow_;
    QPrintPreviewWidget* view_;
};

} // namespace halcyx
