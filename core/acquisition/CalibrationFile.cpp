#include "core/acquisition/CalibrationFile.h"

#include <array>
#include <cstdio>

namespace halcyx {
namespace {

// DC1's code in the record layout line and its section number; DC8 has 48.
constexpr int kFirstDcCode = 41;

// Opening of the Tavrin files: laboratory and instrument data.
constexpr std::array<std::string_view, 13> kTavrinCommon = {
    "UTILITY BYTE LAYOUT                     ; 12500000",
    "*B",
    "CALIBRATION LABORATORY DATA",
    "CALIBRATION S/N                         ; 00000001.CAL",
    "CALIBRATION FACILITY                    ; Veltro",
    "TECHNICIAN                              ; ",
    "DATE                                    ; ",
    "*C",
    "INSTRUMENT CONFIGURATION DATA",
    "UNIT SERIAL NUMBER                      ; ",
    "SENSOR HEAD S/N                         ; ",
    "DATE LAST PHYSICAL CALIBRATION          ; ",
    "DATE LAST ELECTRICAL SET-UP             ; ",
};

// Tavrin CT conductivity section, up to its coefficients.
constexpr std::array<std::string_view, 9> kTavrinConductivity = {
    "*4",
    "CONDUCTIVITY",
    "CONDUCTIVITY STANDARD S/N   (QTB-7710)  ; ",
    "CONDUCTIVITY INTERFACE S/N  (QSA-7710)  ; ",
    "CONDUCTIVITY SENSOR S/N                 ; ",
    "DATE LAST STANDARD CALIBRATION          ; ",
    "CONDUCTIVITY SENSOR  S/N                ; ",
    "P,T,C,INTERFACE S/N                     ; ",
    "DATE LAST CONDUCTIVITY CALIBRATION      ; ",
};

// Conductivity coefficients, lag and cell constants (both families).
constexpr std::array<std::string_view, 11> kConductivityCoefficients = {
    "              A ; 0.0",           "              B ; 0.0",     "              C ; 0.0",
    "              D ; 1.0",           "              E ; 0.0",     "            LAG ; 0.0",
    "            LAG'; 0.0000000E+00", "   ALPHA -6.5E-6; -6.5E-6", "    BETA 1.5E-8 ; 1.5E-8",
    "             T0 ; 2.8",           "             P0 ; 3000.",
};

// Tavrin CT temperature section, up to its coefficients.
constexpr std::array<std::string_view, 9> kTavrinTemperature = {
    "*3",
    "TEMPERATURE",
    "STANDARD TEMPERATURE S/N  (QTB-7710)    ; 15-0001",
    "\t\t\t\t\t\t\t\t\t\t\t\t\t  ; XX-XXXX",
    "SPRT SENSOR S/N                         ; ",
    "DATE LAST STANDARD CALIBRATION          ; ",
    "PLATINUM TEMPERATURE SENSOR S/N         ; ",
    "P,T,C INTERFACE S/N                     ; ",
    "DATE LAST TEMPERATURE CALIBRATION       ; ",
};

// Tavrin time section, up to its coefficients.
constexpr std::array<std::string_view, 9> kTavrinTime = {
    "*99",
    "TIME",
    "\t\t\t\t STANDARD S/N   (QTB-7710)  ; ",
    "\t\t\t\t INTERFACE S/N  (QSA-7710)  ; ",
    "\t\t\t\t SENSOR S/N                 ; ",
    "DATE LAST STANDARD CALIBRATION         ; ",
    "\t\t\t\t SENSOR  S/N                ; ",
    "P,T,C,INTERFACE S/N                    ; ",
    "DATE LAST CONDUCTIVITY CALIBRATION     ; ",
};

// Tavrin P pressure section, up to its coefficients.
constexpr std::array<std::string_view, 9> kTavrinPressure = {
    "*2",
    "PRESSURE",
    "STANDARD PRESSURE                       ; ",
    "\t\t\t\t\t\t\t\t\t\t\t\t\t ; ",
    "\t\t\t\t\t\t\t\t\t\t\t\t\t ; ",
    "DATE LAST STANDARD CALIBRATION         ; ",
    "PRESSURE SENSOR S/N                    ; ",
    "P,T,C, INTERFACE S/N                   ; ",
    "DATE LAST PRESSURE CALIBRATION         ; ",
};

// Tavrin P barometer section, up to its coefficients.
constexpr std::array<std::string_view, 4> kBarometer = {
    "*100",
    "BAROMETER",
    "\t\t\t\t                            ; ",
    "\t\t\t\t                            ; ",
};

// Opening of the Vexa files: laboratory and instrument data.
constexpr std::array<std::string_view, 13> kVexaCommon = {
    "UTILITY BYTE LAYOUT                    ; 12500000",
    "*B",
    "CALIBRATION LABORATORY DATA",
    "CALIBRATION S/N                        ; 00000001.CAL",
    "CALIBRATION FACILITY                   ; Veltro",
    "TECHNICIAN                             ; ",
    "DATE                                   ; ",
    "*C",
    "INSTRUMENT CONFIGURATION DATA",
    "UNIT SERIAL NUMBER                     ; ",
    "SENSOR HEAD S/N                        ; ",
    "DATE LAST PHYSICAL CALIBRATION         ; ",
    "DATE LAST ELECTRICAL SET-UP            ; ",
};

// Vexa conductivity section, up to its coefficients.
constexpr std::array<std::string_view, 9> kVexaConductivity = {
    "*4",
    "CONDUCTIVITY",
    "CONDUCTIVITY STANDARD S/N   (QTB-7710) ; ",
    "CONDUCTIVITY INTERFACE S/N  (QSA-7710) ; ",
    "CONDUCTIVITY SENSOR S/N                ; ",
    "DATE LAST STANDARD CALIBRATION         ; ",
    "CONDUCTIVITY SENSOR  S/N               ; ",
    "P,T,C,INTERFACE S/N                    ; ",
    "DATE LAST CONDUCTIVITY CALIBRATION     ; ",
};

// Vexa temperature section, up to its coefficients.
constexpr std::array<std::string_view, 9> kVexaTemperature = {
    "*3",
    "TEMPERATURE",
    "STANDARD TEMPERATURE S/N  (QTB-7710)   ; ",
    "\t\t\t\t\t\t\t\t\t\t\t\t\t ; ",
    "SPRT SENSOR S/N                        ; ",
    "DATE LAST STANDARD CALIBRATION         ; ",
    "PLATINUM TEMPERATURE SENSOR S/N        ; ",
    "P,T,C INTERFACE S/N                    ; ",
    "DATE LAST TEMPERATURE CALIBRATION      ; ",
};

// Vexa pressure section, up to its coefficients.
constexpr std::array<std::string_view, 9> kVexaPressure = {
    "*2",
    "PRESSURE",
    "STANDARD PRESSURE S/N                  ; ",
    "\t\t\t\t\t\t\t\t\t\t\t\t\t ; ",
    "\t\t\t\t\t\t\t\t\t\t\t\t\t ; ",
    "DATE LAST STANDARD CALIBRATION         ; ",
    "PRESSURE SENSOR S/N                    ; ",
    "P,T,C, INTERFACE S/N                   ; ",
    "DATE LAST PRESSURE CALIBRATION         ; ",
};

// Vexa time section, up to its coefficients.
constexpr std::array<std::string_view, 9> kVexaTime = {
    "*99",
    "TIME",
    " N/A\t                                  ;",
    " N/A                                   ;",
    "                                       ;",
    "DATE LAST STANDARD CALIBRATION         ;",
    "\t\t\t\t SENSOR  S/N                ;",
    "P,T,C,INTERFACE S/N                    ;",
    "DATE LAST CONDUCTIVITY CALIBRATION     ;",
};

// Seven empty fields: the salinity, sound velocity and DC sections carry no data.
constexpr std::array<std::string_view, 7> kBlankFields = {
    "                                        ;", "                                        ;",
    "                                        ;", "                                        ;",
    "                                        ;", "                                        ;",
    "                                        ;",
};

// Closing notes section of every file.
constexpr std::array<std::string_view, 5> kNotes = {
    "*N",
    "NOTATIONS:",
    "SECTION OF ASCII FILE WHERE CALIBRATION TECHNICIAN  CAN",
    "MAKE  NOTATIONS  RELATIVE  TO THE  INSTRUMENT  AND  ITS",
    "CALIBRATION",
};

// Builds the file line by line; every line ends with '\n' (written as CR LF).
class CalibrationText {
public:
    void Line(std::string_view line) {
        text_ += line;
        text_ += '\n';
    }
    template <std::size_t N> void Lines(const std::array<std::string_view, N>& lines) {
        for (std::string_view line : lines)
            Line(line);
    }
    // The identity polynomial of a fixed section ("D" is the linear term here) and its lag.
    void IdentityCoefficients(std::string_view lag) {
        Lines(kIdentity);
        text_ += " LAG ; ";
        text_ += lag;
        text_ += '\n';
        Line(kLagPrime);
    }
    // A DC channel section. Its letters run from the highest power down, so "A" carries
    // the x^4 coefficient and "E" the constant.
    void DcSection(int channel, const DcConversion& dc) {
        Line("*" + std::to_string(kFirstDcCode + channel));
        Line(dc.label);
        Lines(kBlankFields);
        const DcCoefficients& k = dc.coefficients;
        const std::array<std::pair<char, float>, 5> terms = {
            {{'A', k.e}, {'B', k.d}, {'C', k.c}, {'D', k.b}, {'E', k.a}}};
        for (const auto& [letter, value] : terms) {
            std::array<char, 48> line{};
            std::snprintf(line.data(), line.size(), "   %c ; %.7e", letter,
                          static_cast<double>(value));
            Line(line.data());
        }
        Line(" LAG ; 0.0");
        Line(kLagPrime);
    }
    std::string Take() { return std::move(text_); }

private:
    static constexpr std::array<std::string_view, 5> kIdentity = {
        "  A ; 0.0", "  B ; 0.0", "  C ; 0.0", "  D ; 1.0", "  E ; 0.0"};
    static constexpr std::string_view kLagPrime = "LAG'; 0.0000000E+00";
    std::string text_;
};

std::string RecordLayout(ScanLayout layout, ChannelMask m) {
    std::string line = "RECORD LAYOUT; SS-1,";
    auto add = [&line, m](ChannelMask bit, const char* piece) {
        if (mask::has(m, bit))
            line += piece;
    };
    switch (layout) {
    case ScanLayout::TavrinCT:
        line += "04-2,03-2,";
        add(mask::kTavrinCtTime, "99-2,");
        line += "UU-1,";
        break;
    case ScanLayout::TavrinP:
        line += "02-2,";
        add(mask::kTavrinPTime, "99-2,");
        add(mask::kTavrinPBarometer, "100-2,");
        line += "UU-1,";
        break;
    case ScanLayout::Vexa:
        add(mask::kConductivity, "04-2,");
        add(mask::kTemperature, "03-2,");
        // The utility byte follows pressure; time comes after both.
        add(mask::kPressure, "02-2,UU-1,");
        add(mask::kTime, "99-2,");
        add(mask::kSalinity, "64-2,");
        add(mask::kSoundVelocity, "66-2,");
        for (int ch = 0; ch < DCChannelTable::kChannels; ++ch)
            if (mask::has(m, dcChannelBit(ch + 1)))
                line += std::to_string(kFirstDcCode + ch) + "-2,";
        break;
    }
    return line + "TT-0";
}

} // namespace

std::string formatCalibration(ScanLayout layout, ChannelMask channelMask, const DcConversions& dc,
                              bool navigation) {
    CalibrationText file;
    file.Line("*A");
    file.Line("COMMUNICATIONS PARAMETERS               ; 9600,N,8,1");
    file.Line(RecordLayout(layout, channelMask));
    const auto has = [channelMask](ChannelMask bit) { return mask::has(channelMask, bit); };
    switch (layout) {
    case ScanLayout::TavrinCT:
        file.Lines(kTavrinCommon);
        file.Lines(kTavrinConductivity);
        file.Lines(kConductivityCoefficients);
        file.Lines(kTavrinTemperature);
        file.IdentityCoefficients("1.0");
        if (has(mask::kTavrinCtTime)) {
            file.Lines(kTavrinTime);
            file.IdentityCoefficients("0.0");
        }
        break;
    case ScanLayout::TavrinP:
        file.Lines(kTavrinCommon);
        file.Lines(kTavrinPressure);
        file.IdentityCoefficients("0.0");
        if (has(mask::kTavrinPTime)) {
            file.Lines(kTavrinTime);
            file.IdentityCoefficients("0.0");
        }
        if (has(mask::kTavrinPBarometer)) {
            file.Lines(kBarometer);
            file.IdentityCoefficients("0.0");
        }
        break;
    case ScanLayout::Vexa:
        file.Line(navigation ? "NMEA: YES" : "NMEA: NO");
        file.Lines(kVexaCommon);
        if (has(mask::kConductivity)) {
            file.Lines(kVexaConductivity);
            file.Lines(kConductivityCoefficients);
        }
        if (has(mask::kTemperature)) {
            file.Lines(kVexaTemperature);
            file.IdentityCoefficients("0.15");
        }
        if (has(mask::kPressure)) {
            file.Lines(kVexaPressure);
            file.IdentityCoefficients("0.0");
        }
        if (has(mask::kTime)) {
            file.Lines(kVexaTime);
            file.IdentityCoefficients("0.0");
        }
        if (has(mask::kSalinity)) {
            file.Line("*64");
            file.Line("SALT");
            file.Lines(kBlankFields);
            file.IdentityCoefficients("0.0");
        }
        if (has(mask::kSoundVelocity)) {
            file.Line("*66");
            file.Line("SVEL");
            file.Lines(kBlankFields);
            file.IdentityCoefficients("0.0");
        }
        for (int ch = 0; ch < DCChannelTable::kChannels; ++ch)
            if (has(dcChannelBit(ch + 1)))
                file.DcSection(ch, dc[ch]);
        break;
    }
    file.Lines(kNotes);
    return file.Take();
}

} // namespace halcyx
