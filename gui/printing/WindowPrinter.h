#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class QPrinter;

namespace halcyx {

class Operator;
class PreviewFrame;
class Printout;

// The printer of one window and what is done with it: the print dialog and printing, the
// printer setup dialog, the preview frame and saving a page as a PDF file. A machine
// without any printer gets a PDF printer instead, so it can still preview, and print to
// a file from the print dialog.
class WindowPrinter {
public:
    WindowPrinter(Operator& op, QWidget* parent);
    ~WindowPrinter();
    WindowPrinter(const WindowPrinter&) = delete;
    WindowPrinter& operator=(const WindowPrinter&) = delete;

    QPrinter& printer() { return *printer_; }
    static bool printerInstalled();

    // The print dialog, then the page on what it chose. False when the operator cancelled
    // or the printer failed (which has been said).
    bool print(const Printout& printout);
    // The page on the printer as it is set up, without a dialog.
    bool printPage(const Printout& printout);
    // Asks for a file and writes the page there as a PDF file.
    bool savePdf(const Printout& printout);
    // The printer setup dialog.
    void setup();
    // Opens the preview frame over the window's main window. Print in the frame closes it
    // and prints the page, titled printTitle, with the print dialog.
    PreviewFrame* preview(std::shared_ptr<Printout> printout, const QString& printTitle);

private:
    bool draw(const Printout& printout, QPrinter& target);

    Operator& op_;
    QPointer<QWidget> parent_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace halcyx
