#include "gui/printing/WindowPrinter.h"

#include "core/prompt/Operator.h"
#include "gui/printing/PreviewFrame.h"
#include "gui/printing/Printout.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>

namespace halcyx {

namespace {

constexpr int kOnlyPage = 1; // every printout is one page
const std::string kPrintError = "Print Error";
const std::string kPrintCaption = "Halcyx";

FileRequest pdfRequest(const QString& title) {
    FileRequest request = saveFileRequest("PDF Files (*.PDF)|*.pdf|All Files (*.*)|*.*|", "pdf",
                                          title.toStdString() + ".pdf");
    request.title = "Save as PDF";
    return request;
}

} // namespace

WindowPrinter::WindowPrinter(Operator& op, QWidget* parent)
    : op_(op), parent_(parent), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    if (!printerInstalled())
        printer_->setOutputFormat(QPrinter::PdfFormat);
}

WindowPrinter::~WindowPrinter() = default;

bool WindowPrinter::printerInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool WindowPrinter::print(const Printout& printout) {
    printer_->setFromTo(kOnlyPage, kOnlyPage);
    QPrintDialog dialog(printer_.get(), parent_);
    dialog.setWindowTitle(printout.title());
    dialog.setMinMax(kOnlyPage, kOnlyPage);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printPage(printout);
}

bool WindowPrinter::printPage(const Printout& printout) {
    return draw(printout, *printer_);
}

bool WindowPrinter::savePdf(const Printout& printout) {
    const std::optional<std::string> path = op_.chooseFile(pdfRequest(printout.title()));
    if (!path || path->empty())
        return false;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(printer_->pageLayout());
    pdf.setOutputFileName(QString::fromStdString(*path));
    return draw(printout, pdf);
}

void WindowPrinter::setup() {
    QPageSetupDialog dialog(printer_.get(), parent_);
    dialog.exec();
}

PreviewFrame* WindowPrinter::preview(std::shared_ptr<Printout> printout,
                                     const QString& printTitle) {
    auto* frame = new PreviewFrame(printout, *printer_, parent_ ? parent_->window() : nullptr);
    // The print dialog opens once the frame has gone and the main window is back.
    QObject::connect(frame, &PreviewFrame::printRequested, frame, [this, printout, printTitle] {
        QTimer::singleShot(0, parent_.data(), [this, printout, printTitle] {
            printout->setTitle(printTitle);
            (void)print(*printout); // a cancel or a failure has been dealt with there
        });
    });
    QObject::connect(frame, &PreviewFrame::pdfRequested, frame,
                     [this, printout] { (void)savePdf(*printout); });
    frame->open();
    return frame;
}

bool WindowPrinter::draw(const Printout& printout, QPrinter& target) {
    target.setDocName(printout.title());
    QPainter painter;
    if (!painter.begin(&target)) {
        op_.message(kPrintError, kPrintCaption, Icon::Stop);
        return false;
    }
    printout.drawPage(painter, QRect(0, 0, target.width(), target.height()));
    return painter.end();
}

} // namespace halcyx
