#include "gui/printing/GraphPrintout.h"

#include "core/acquisition/PrintedInfo.h"
#include "core/instrument/Format.h"
#include "gui/plot/PlotDevice.h"
#include "gui/printing/PageText.h"

#include <QPainter>

namespace halcyx {

namespace {

const QString kCastHeading = QStringLiteral("Cast Information");
const QString kLoggingHeading = QStringLiteral("Logging Information");

// What a graph page needs of its fonts: the line heights and the information fonts.
struct PageFonts {
    InfoFonts info;
    QFont title;
    PageLines lines;
};

PageFonts pageFonts(const QPainter& painter, const FontStyle& label, const FontStyle& value) {
    const PlotDevice device(painter);
    PageFonts fonts{{graphFont(label, device), graphFont(value, device)},
                    graphFont(kPageTitleFont, device),
                    {}};
    fonts.lines = {lineHeight(painter, fonts.info.label), lineHeight(painter, fonts.title)};
    return fonts;
}

// Letterhead, information and title where the page layout puts them, then the graph.
void drawGraphPage(QPainter& painter, const GraphPage& layout, const PageFonts& fonts,
                   const QString& heading, const std::vector<InfoRow>& rows, const QString& title,
                   const GraphPainter& graph) {
    painter.save();
    if (layout.letterhead)
        drawLetterhead(painter, *layout.letterhead);
    if (layout.info)
        drawInfoColumn(painter, heading, rows, *layout.info, fonts.info);
    if (layout.title) {
        painter.setFont(fonts.title);
        painter.setPen(Qt::black);
        drawTextAt(painter, title, *layout.title);
    }
    painter.restore();
    graph.draw(painter, toQRect(layout.graph));
}

} // namespace

void GraphPrintout::drawPage(QPainter& painter, QRect page) const {
    const PageFonts fonts = pageFonts(painter, kInfoLabelFont, kInfoValueFont);
    const std::vector<InfoRow> rows = castInfoRows(info_);
    const GraphPage layout = CastGraphPage(toPixelRect(page), printCastInfo_,
                                           static_cast<int>(rows.size()), fonts.lines);
    drawGraphPage(painter, layout, fonts, kCastHeading, rows, {}, *graph_);
}

PressureGraphPrintout::PressureGraphPrintout(const std::string& graphTitle,
                                             const std::string& colourName,
                                             std::unique_ptr<const GraphPainter> graph,
                                             CastInfo info)
    : Printout(QString::fromStdString(
          formatText("%s, Pressure vs. %s", graphTitle.c_str(), colourName.c_str()))),
      graph_(std::move(graph)), info_(std::move(info)) {}

void PressureGraphPrintout::drawPage(QPainter& painter, QRect page) const {
    const PageFonts fonts = pageFonts(painter, kInfoLabelFont, kInfoValueFont);
    const std::vector<InfoRow> rows = castInfoRows(info_);
    const GraphPage layout =
        PressureGraphPage(toPixelRect(page), static_cast<int>(rows.size()), fonts.lines);
    drawGraphPage(painter, layout, fonts, kCastHeading, rows, title(), *graph_);
}

void ModGraphPrintout::drawPage(QPainter& painter, QRect page) const {
    const PageFonts fonts = pageFonts(painter, kModuleInfoFont, kModuleInfoFont);
    const std::vector<InfoRow> rows = loggingInfoRows(info_);
    const GraphPage layout = ModuleGraphPage(toPixelRect(page), printCastInfo_,
                                             static_cast<int>(rows.size()), fonts.lines);
    drawGraphPage(painter, layout, fonts, kLoggingHeading, rows, title(), *graph_);
}

} // namespace halcyx
