#pragma once

#include "core/base/ChannelMask.h"

#include <array>
#include <cstddef>
#include <string>

namespace halcyx {

class IniFile;

// The five coefficients of a DC channel's polynomial
// value = a + b*x + c*x^2 + d*x^3 + e*x^4 [channel's unit per raw count powers].
struct DcCoefficients {
    float a = 0.0f;
    float b = 1.0f;
    float c = 0.0f;
    float d = 0.0f;
    float e = 0.0f;

    static constexpr DcCoefficients identity() { return {}; }
    bool operator==(const DcCoefficients&) const = default;
};

// The names and polynomial coefficients of the eight auxiliary DC channels, DC1 to DC8.
// The texts are what the operator edits and configuration files keep; the numeric copy
// is what conversions use, refreshed from the texts at chosen moments (acquisition start,
// after a download, after loading a file) and not on every edit.
class DCChannelTable {
public:
    static constexpr int kChannels = kMaxDcChannels;
    // Every text is held in a field of this width, terminator included.
    static constexpr std::size_t kTextWidth = 12;
    static constexpr std::size_t kMaxTextChars = kTextWidth - 1;

    // One channel as edited: its name and the coefficients A to E as text.
    struct Texts {
        std::string name;
        std::array<std::string, 5> terms; // A, B, C, D, E
    };
    // One channel as used for conversion.
    struct Numeric {
        std::string name;
        DcCoefficients coefficients;
    };

    // Names "DC1" to "DC8", A "0.00", B "1.00", C to E "0.00" (texts only).
    DCChannelTable();

    // channel is 0-based (0 = DC1). Setting a text cuts it to kMaxTextChars characters.
    const Texts& texts(int channel) const { return texts_.at(channel); }
    void setName(int channel, const std::string& name);
    void setTerm(int channel, int term, const std::string& text);

    const Numeric& numeric(int channel) const { return numeric_.at(channel); }
    // Copies the name and converts the five terms of one channel (or all) into the
    // numeric copy; a term that is not a number gives 0.
    void refreshNumeric(int channel);
    void refreshNumeric();

    // The coefficients of the texts, converted now, without touching the numeric copy.
    DcCoefficients convertedTerms(int channel) const;

private:
    std::array<Texts, kChannels> texts_;
    std::array<Numeric, kChannels> numeric_;
};

// Reads the names and terms of the eight channels from the DC_CHANNELS section of a
// configuration file ("DC<n>.Name", "DC<n>.term0" to "DC<n>.term4"; a missing key gives an
// empty text) into the table's texts. The numeric copy is left to the caller.
void readDcChannelTexts(const IniFile& configuration, DCChannelTable& table);

} // namespace halcyx
