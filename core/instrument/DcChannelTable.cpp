#include "core/instrument/DcChannelTable.h"

#include "core/base/DecimalNumber.h"
#include "core/settings/IniFile.h"

namespace halcyx {
namespace {

std::string cut(const std::string& text) {
    return text.substr(0, DCChannelTable::kMaxTextChars);
}

} // namespace

DCChannelTable::DCChannelTable() {
    for (int ch = 0; ch < kChannels; ++ch) {
        texts_[ch].name = "DC" + std::to_string(ch + 1);
        texts_[ch].terms = {"0.00", "1.00", "0.00", "0.00", "0.00"};
    }
}

void DCChannelTable::setName(int channel, const std::string& name) {
    texts_.at(channel).name = cut(name);
}

void DCChannelTable::setTerm(int channel, int term, const std::string& text) {
    texts_.at(channel).terms.at(term) = cut(text);
}

DcCoefficients DCChannelTable::convertedTerms(int channel) const {
    const auto& t = texts_.at(channel).terms;
    return {toSingle(decimalNumber(t[0])), toSingle(decimalNumber(t[1])),
            toSingle(decimalNumber(t[2])), toSingle(decimalNumber(t[3])),
            toSingle(decimalNumber(t[4]))};
}

void DCChannelTable::refreshNumeric(int channel) {
    numeric_.at(channel).name = texts_.at(channel).name;
    numeric_[channel].coefficients = convertedTerms(channel);
}

void DCChannelTable::refreshNumeric() {
    for (int ch = 0; ch < kChannels; ++ch)
        refreshNumeric(ch);
}

void readDcChannelTexts(const IniFile& configuration, DCChannelTable& table) {
    constexpr std::string_view kSection = "DC_CHANNELS";
    constexpr int kTerms = 5;
    for (int ch = 0; ch < DCChannelTable::kChannels; ++ch) {
        const std::string key = "DC" + std::to_string(ch + 1);
        table.setName(
            ch, configuration.readString(kSection, key + ".Name", "", DCChannelTable::kTextWidth));
        for (int term = 0; term < kTerms; ++term)
            table.setTerm(ch, term,
                          configuration.readString(kSection, key + ".term" + std::to_string(term),
                                                   "", DCChannelTable::kTextWidth));
    }
}

} // namespace halcyx
