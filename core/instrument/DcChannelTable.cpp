#include "instrument/DcChannelTable.h"

#include "acquisition/DecimalNumber.h"

namespace halcyx {
namespace {

std::string Cut(const std::string& text) {
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
    texts_.at(channel).name = Cut(name);
}

void DCChannelTable::setTerm(int channel, int term, const std::string& text) {
    texts_.at(channel).terms.at(term) = Cut(text);
}

DcCoefficients DCChannelTable::convertedTerms(int channel) const {
    const auto& t = texts_.at(channel).terms;
    return {ToSingle(DecimalNumber(t[0])), ToSingle(DecimalNumber(t[1])),
            ToSingle(DecimalNumber(t[2])), ToSingle(DecimalNumber(t[3])),
            ToSingle(DecimalNumber(t[4]))};
}

void DCChannelTable::refreshNumeric(int channel) {
    numeric_.at(channel).name = texts_.at(channel).name;
    numeric_[channel].coefficients = convertedTerms(channel);
}

void DCChannelTable::refreshNumeric() {
    for (int ch = 0; ch < kChannels; ++ch)
        refreshNumeric(ch);
}

} // namespace halcyx
