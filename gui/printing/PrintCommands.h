#pragma once

#include "core/acquisition/CastFiles.h"
#include "core/instrument/ConfigRecords.h"
#include "core/instrument/DcChannelTable.h"
#include "core/instrument/InstrumentRecord.h"
#include "gui/plot/GraphPainter.h"

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace halcyx {

class Operator;
class ProfileGraph;
class WindowPrinter;

// The print commands of the acquisition windows and the configuration window. Each builds
// its printout, asks what the page is to carry, and prints it with the print dialog or
// shows it in the preview frame, whose Print prints the same page.

// "Do you want to print the Cast Information?"; true for Yes.
bool askPrintCastInfo(Operator& op);

void printCastGraph(WindowPrinter& printer, Operator& op, const ProfileGraph& graph,
                    const CastInfo& info);
void previewCastGraph(WindowPrinter& printer, Operator& op, const ProfileGraph& graph,
                      const CastInfo& info);

// One towed pressure graph as its printout needs it.
struct PressureGraphSource {
    std::string title;
    std::string colourName;
    std::unique_ptr<const GraphPainter> painter;
};
// Pressure graph 0 to 3.
using PressureGraphs = std::function<PressureGraphSource(int graph)>;
// The selection dialog, then the chosen graph's page; nothing when it is cancelled.
void printPressureGraph(WindowPrinter& printer, QWidget* parent, const PressureGraphs& graphs,
                        const CastInfo& info);
void previewPressureGraph(WindowPrinter& printer, QWidget* parent, const PressureGraphs& graphs,
                          const CastInfo& info);

void printModGraph(WindowPrinter& printer, Operator& op, std::unique_ptr<const GraphPainter> graph,
                   const CastInfo& info);
void previewModGraph(WindowPrinter& printer, Operator& op,
                     std::unique_ptr<const GraphPainter> graph, const CastInfo& info);

// "Print Configuration": the model's settings sheet with the print dialog, or the message
// that nothing has been read or loaded yet.
void printConfiguration(WindowPrinter& printer, Operator& op, const InstrumentRecord& record,
                        const InstrumentSettings& settings, const DCChannelTable& dcTable);

} // namespace halcyx
