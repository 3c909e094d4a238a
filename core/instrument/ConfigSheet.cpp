#include "core/instrument/ConfigSheet.h"

#include "core/base/Letterhead.h"
#include "core/instrument/Format.h"

#include <array>

namespace halcyx {

namespace {

// Where the blocks of the sheet stand [fractions of the page].
constexpr double kLetterheadX = 0.10;
constexpr double kLetterheadY = 0.08;
constexpr double kTitleX = 0.17;
constexpr double kTitleY = 0.25;
constexpr double kBodyX = 0.12;
constexpr double kDcDetailX = 0.16;

constexpr const char* kProgramName = "Halcyx";

// The Vexa's primary channels as the sheet labels them, in record order.
constexpr std::array<const char*, kMaxPrimaryChannels> kVexaChannelLabels = {
    "Conductuvuty: ", "Temperature: ", "Pressure: ", "Time: ", "Salinity: ", "Sound Speed: "};
constexpr std::array<const char*, kSamplingRateCount> kRateTexts = {"1.83 Hz", "2.58 Hz", "3.03 Hz",
                                                                    "4.08 Hz", "4.50 Hz"};
// The channel that says whether the time is sent: Tavrin CT C, T, Time; Tavrin P P, Time, B.
constexpr std::size_t kCTTimeChannel = 2;
constexpr std::size_t kPTimeChannel = 1;

const char* onOff(std::uint16_t flag) {
    return flag != 0 ? "ON" : "OFF";
}

class Sheet {
public:
    void line(SheetFont font, double x, std::string text) {
        lines_.push_back({font, x, std::move(text), std::nullopt});
    }
    void lineAt(SheetFont font, double x, double y, std::string text) {
        lines_.push_back({font, x, std::move(text), y});
    }
    void blank(SheetFont font) { line(font, 0.0, {}); }
    std::vector<SheetLine> take() { return std::move(lines_); }

    // Letterhead, title and identity: the head every sheet starts with.
    void head(const char* title, const InstrumentRecord& record) {
        lineAt(SheetFont::Heading, kLetterheadX, kLetterheadY, kProgramName);
        line(SheetFont::Subheading, kLetterheadX, std::string(kLetterhead.company));
        blank(SheetFont::Subheading);
        for (const std::string_view text :
             {kLetterhead.street, kLetterhead.town, kLetterhead.telephone, kLetterhead.fax})
            line(SheetFont::Subheading, kLetterheadX, std::string(text));
        lineAt(SheetFont::Heading, kTitleX, kTitleY, title);
        blank(SheetFont::Heading);
        line(SheetFont::Label, kBodyX,
             formatText("Serial Number: %s", record.serialNumber.c_str()));
        line(SheetFont::Label, kBodyX, formatText("Calibration Date: %s", record.calDate.c_str()));
        line(SheetFont::Label, kBodyX, "Primary Channels");
    }

    // The timing lines from the instrument time to the delayed start time.
    template <class Record> void timing(const Record& data) {
        text(formatText("Instrument Time: %s", data.instrumentTime.c_str()));
        text(formatText("Instrument Date: %s", data.instrumentDate.c_str()));
        text(formatText("Interval Time: %s", data.intervalTime.c_str()));
        text(formatText("Record On Time: %s", data.onTime.c_str()));
        text(formatText("Delayed Start Date: %s", data.delayedDate.c_str()));
        text(formatText("Delayed Start Time: %s", data.delayedTime.c_str()));
    }

    void outputs(std::uint16_t continuous, std::uint16_t scaled) {
        text(continuous != 0 ? "Output RS-232 data continuously after power up."
                             : "Will NOT output RS-232 data continuously after power up.");
        text(scaled != 0 ? "Output data in scaled units from 0 to 65536 counts."
                         : "Will NOT output data in scaled units.");
    }

    void text(std::string content, double x = kBodyX) {
        line(SheetFont::Text, x, std::move(content));
    }

private:
    std::vector<SheetLine> lines_;
};

// The first rate whose flag is set; empty when none is.
std::string firstRate(const VexaConfigData& data) {
    for (std::size_t i = 0; i < data.samplingRate.size(); ++i)
        if (data.samplingRate[i] != 0)
            return kRateTexts[i];
    return {};
}

} // namespace

std::vector<SheetLine> VexaSheet(const InstrumentRecord& record, const VexaConfigData& data,
                                 const DCChannelTable& dcTable) {
    Sheet sheet;
    sheet.head("Vexa Configuration", record);
    for (std::size_t i = 0; i < kVexaChannelLabels.size(); ++i)
        sheet.text(std::string(kVexaChannelLabels[i]) + onOff(data.channel[i]));

    sheet.blank(SheetFont::Text);
    sheet.line(SheetFont::Label, kBodyX, "DC Channels");
    for (int dc = 0; dc < DCChannelTable::kChannels; ++dc) {
        const int number = dc + 1;
        if (data.dcChannel[static_cast<std::size_t>(dc)] == 0) {
            sheet.text(formatText("DC%d: OFF", number));
            continue;
        }
        const DCChannelTable::Texts& texts = dcTable.texts(dc);
        sheet.text(formatText("DC%d: ON", number));
        sheet.text(formatText("Name: %s", texts.name.c_str()), kDcDetailX);
        sheet.text(formatText("A: %s  B: %s  C: %s  D: %s  E: %s", texts.terms[0].c_str(),
                              texts.terms[1].c_str(), texts.terms[2].c_str(),
                              texts.terms[3].c_str(), texts.terms[4].c_str()),
                   kDcDetailX);
    }

    sheet.blank(SheetFont::Text);
    sheet.timing(data);
    sheet.text(formatText("Vexa Sampling Rate: %s", firstRate(data).c_str()));
    sheet.outputs(data.continuousOutput, data.scaledOutput);
    sheet.text(formatText("Average for %s mm:ss.", data.averageLength.c_str()));
    return sheet.take();
}

std::vector<SheetLine> TavrinSheet(const InstrumentRecord& record, const TavrinConfigData& data) {
    Sheet sheet;
    sheet.head("Tavrin Configuration", record);
    sheet.text("Conductivity: ON");
    sheet.text("Temperature: ON");
    const std::size_t time =
        record.product == ProductCode::TavrinP ? kPTimeChannel : kCTTimeChannel;
    sheet.text(std::string("Time: ") + onOff(data.channel[time]));
    sheet.blank(SheetFont::Text);
    sheet.timing(data);
    sheet.outputs(data.continuousOutput, data.scaledOutput);
    sheet.text(formatText("Average for %s seconds.", data.averageTime.c_str()));
    return sheet.take();
}

} // namespace halcyx
