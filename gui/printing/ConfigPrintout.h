#pragma once

#include "core/instrument/ConfigSheet.h"
#include "gui/printing/Printout.h"

#include <vector>

namespace halcyx {

// A configuration sheet: its lines written down the page in their fonts, each line's
// height moving the pen down. Lines that would run off the paper go on a second page.
class ConfigSheetPrintout : public Printout {
public:
    ConfigSheetPrintout(QString title, std::vector<SheetLine> lines)
        : Printout(std::move(title)), lines_(std::move(lines)) {}

    const std::vector<SheetLine>& lines() const { return lines_; }
    void drawPage(QPainter& painter, QRect page) const override;

private:
    std::vector<SheetLine> lines_;
};

// The settings sheet of a Vexa 2 or Vexa 3.
class VexaPrintout : public ConfigSheetPrintout {
public:
    VexaPrintout(const InstrumentRecord& record, const VexaConfigData& data,
                 const DCChannelTable& dcTable)
        : ConfigSheetPrintout(QStringLiteral("Print Vexa Configuration"),
                              VexaSheet(record, data, dcTable)) {}
};

// The settings sheet of a Tavrin CT or Tavrin P.
class CTPrintout : public ConfigSheetPrintout {
public:
    CTPrintout(const InstrumentRecord& record, const TavrinConfigData& data)
        : ConfigSheetPrintout(QStringLiteral("Print Tavrin Configuration"),
                              TavrinSheet(record, data)) {}
};

} // namespace halcyx
