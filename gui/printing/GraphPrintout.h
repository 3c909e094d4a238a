#pragma once

#include "core/acquisition/CastFiles.h"
#include "gui/plot/GraphPainter.h"
#include "gui/printing/Printout.h"

#include <memory>

namespace halcyx {

// The page of the profile (cast) graph: the graph alone, or with the letterhead and the
// cast information above it on a portrait page and in a column left of it on a landscape
// page.
class GraphPrintout : public Printout {
public:
    GraphPrintout(QString title, std::unique_ptr<const GraphPainter> graph, CastInfo info)
        : Printout(std::move(title)), graph_(std::move(graph)), info_(std::move(info)) {}

    void setPrintCastInfo(bool on) { printCastInfo_ = on; }
    bool printCastInfo() const { return printCastInfo_; }
    void drawPage(QPainter& painter, QRect page) const override;

private:
    std::unique_ptr<const GraphPainter> graph_;
    CastInfo info_;
    bool printCastInfo_ = false;
};

// The page of one towed pressure graph: letterhead, cast information, the title
// "<graph title>, Pressure vs. <colour parameter>" and the strip a quarter of the page high.
class PressureGraphPrintout : public Printout {
public:
    PressureGraphPrintout(const std::string& graphTitle, const std::string& colourName,
                          std::unique_ptr<const GraphPainter> graph, CastInfo info);

    void drawPage(QPainter& painter, QRect page) const override;

private:
    std::unique_ptr<const GraphPainter> graph_;
    CastInfo info_;
};

// The page of the module graph: the graph alone, or with the letterhead, the logging
// information and the printout's title above it.
class ModGraphPrintout : public Printout {
public:
    ModGraphPrintout(QString title, std::unique_ptr<const GraphPainter> graph, CastInfo info)
        : Printout(std::move(title)), graph_(std::move(graph)), info_(std::move(info)) {}

    void setPrintCastInfo(bool on) { printCastInfo_ = on; }
    void drawPage(QPainter& painter, QRect page) const override;

private:
    std::unique_ptr<const GraphPainter> graph_;
    CastInfo info_;
    bool printCastInfo_ = false;
};

} // namespace halcyx
