#include "gui/printing/PrintCommands.h"

#include "core/prompt/Operator.h"
#include "gui/plot/ProfileGraphPainter.h"
#include "gui/printing/ConfigPrintout.h"
#include "gui/printing/GraphPrintout.h"
#include "gui/printing/PrintPGraphDlg.h"
#include "gui/printing/WindowPrinter.h"

#include <optional>

namespace halcyx {

namespace {

const QString kCastPrintTitle = QStringLiteral("Print ACQ Graph");
const QString kCastPreviewTitle = QStringLiteral("Halcyx Print Preview");
const QString kModulePrintTitle = QStringLiteral("Halcyx Module Print");

std::shared_ptr<GraphPrintout> castGraphPrintout(Operator& op, const QString& title,
                                                 const ProfileGraph& graph, const CastInfo& info) {
    auto printout =
        std::make_shared<GraphPrintout>(title, std::make_unique<ProfileGraphPainter>(graph), info);
    printout->setPrintCastInfo(askPrintCastInfo(op));
    return printout;
}

std::shared_ptr<ModGraphPrintout>
modGraphPrintout(Operator& op, std::unique_ptr<const GraphPainter> graph, const CastInfo& info) {
    auto printout = std::make_shared<ModGraphPrintout>(kModulePrintTitle, std::move(graph), info);
    printout->setPrintCastInfo(askPrintCastInfo(op));
    return printout;
}

// The pressure graph the operator picks in the selection dialog, as a printout.
std::shared_ptr<PressureGraphPrintout> pressureGraphPrintout(QWidget* parent,
                                                             const QString& caption,
                                                             const PressureGraphs& graphs,
                                                             const CastInfo& info) {
    PrintPGraphDlg dialog(caption, parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    PressureGraphSource source = graphs(dialog.chosen());
    return std::make_shared<PressureGraphPrintout>(source.title, source.colourName,
                                                   std::move(source.painter), info);
}

// The settings sheet of the identified model; none for an unknown one.
std::unique_ptr<Printout> configSheet(const InstrumentRecord& record,
                                      const InstrumentSettings& settings,
                                      const DCChannelTable& dcTable) {
    switch (record.product) {
    case ProductCode::Vexa2:
    case ProductCode::Vexa3:
        return std::make_unique<VexaPrintout>(record, settings.vexa, dcTable);
    case ProductCode::TavrinCT:
        return std::make_unique<CTPrintout>(record, settings.ct);
    case ProductCode::TavrinP:
        return std::make_unique<CTPrintout>(record, settings.p);
    default:
        return nullptr;
    }
}

} // namespace

bool askPrintCastInfo(Operator& op) {
    return op.askYesNo("Do you want to print the Cast Information?", "Graph Printout",
                       Icon::Question);
}

void printCastGraph(WindowPrinter& printer, Operator& op, const ProfileGraph& graph,
                    const CastInfo& info) {
    (void)printer.print(*castGraphPrintout(op, kCastPrintTitle, graph, info));
}

void previewCastGraph(WindowPrinter& printer, Operator& op, const ProfileGraph& graph,
                      const CastInfo& info) {
    printer.preview(castGraphPrintout(op, kCastPreviewTitle, graph, info), kCastPrintTitle);
}

void printPressureGraph(WindowPrinter& printer, QWidget* parent, const PressureGraphs& graphs,
                        const CastInfo& info) {
    if (auto printout = pressureGraphPrintout(parent, QStringLiteral("Print Pressure Graph Setup"),
                                              graphs, info))
        (void)printer.print(*printout);
}

void previewPressureGraph(WindowPrinter& printer, QWidget* parent, const PressureGraphs& graphs,
                          const CastInfo& info) {
    if (auto printout = pressureGraphPrintout(
            parent, QStringLiteral("Select Pressure Graph to Preview"), graphs, info))
        printer.preview(printout, printout->title());
}

void printModGraph(WindowPrinter& printer, Operator& op, std::unique_ptr<const GraphPainter> graph,
                   const CastInfo& info) {
    (void)printer.print(*modGraphPrintout(op, std::move(graph), info));
}

void previewModGraph(WindowPrinter& printer, Operator& op,
                     std::unique_ptr<const GraphPainter> graph, const CastInfo& info) {
    printer.preview(modGraphPrintout(op, std::move(graph), info), kModulePrintTitle);
}

void printConfiguration(WindowPrinter& printer, Operator& op, const InstrumentRecord& record,
                        const InstrumentSettings& settings, const DCChannelTable& dcTable) {
    const std::unique_ptr<Printout> sheet =
        record.settingsRead ? configSheet(record, settings, dcTable) : nullptr;
    if (!sheet) {
        op.message("There is no configuration data to print!", "NO Instrument Configuration",
                   Icon::Stop);
        return;
    }
    (void)printer.print(*sheet);
}

} // namespace halcyx
