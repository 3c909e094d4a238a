#include "core/navigation/NavSentence.h"

#include "core/base/DecimalNumber.h"

#include <cstdint>
#include <limits>
#include <string>

namespace halcyx {

namespace {

constexpr char kFieldSeparator = ',';
constexpr char kChecksum = '*';
// hhmmss: hours are the number / 10000, minutes start at the third character, seconds at
// the fifth.
constexpr double kHourDivisor = 10000.0;
constexpr std::size_t kMinuteOffset = 2;
constexpr double kMinuteDivisor = 100.0;
constexpr std::size_t kSecondOffset = 4;

// Truncated toward zero; a value beyond the 16-bit range reads as 0, like any other text
// that is not a time or date.
std::int16_t truncated(double value) {
    constexpr double kLow = std::numeric_limits<std::int16_t>::min() - 1.0;
    constexpr double kHigh = std::numeric_limits<std::int16_t>::max() + 1.0;
    if (!(value > kLow && value < kHigh))
        return 0;
    return static_cast<std::int16_t>(value);
}

// The number from offset on; nothing there reads as 0.
double numberFrom(std::string_view text, std::size_t offset) {
    return offset < text.size() ? decimalNumber(text.substr(offset)) : 0.0;
}

char hemisphere(std::string_view field) {
    constexpr char kFirstPrintable = '!';
    constexpr char kLastPrintable = '~';
    if (field.empty() || field[0] < kFirstPrintable || field[0] > kLastPrintable)
        return NavFix::kUnknown;
    return field[0];
}

void readTime(std::optional<std::string_view> field, NavFix& fix) {
    if (!field)
        return;
    std::string time;
    for (const char c : *field)
        if (c != ' ')
            time += c;
    fix.hour = truncated(numberFrom(time, 0) / kHourDivisor);
    fix.minute = truncated(numberFrom(time, kMinuteOffset) / kMinuteDivisor);
    fix.second = truncated(numberFrom(time, kSecondOffset));
}

void readInteger(std::optional<std::string_view> field, std::int16_t& value) {
    if (field)
        value = truncated(decimalNumber(*field));
}

} // namespace

std::optional<std::string_view> sentenceField(std::string_view sentence, int n) {
    sentence = sentence.substr(0, sentence.find(kChecksum));
    std::size_t start = 0;
    for (int comma = 0; comma < n; ++comma) {
        const std::size_t at = sentence.find(kFieldSeparator, start);
        if (at == std::string_view::npos)
            return std::nullopt;
        start = at + 1;
    }
    return sentence.substr(start, sentence.find(kFieldSeparator, start) - start);
}

bool readGll(std::string_view sentence, NavFix& fix) {
    if (!sentence.starts_with(kGllTag))
        return false;
    if (const auto field = sentenceField(sentence, 1))
        fix.latitude = decimalNumber(*field);
    if (const auto field = sentenceField(sentence, 2))
        fix.latHemisphere = hemisphere(*field);
    if (const auto field = sentenceField(sentence, 3))
        fix.longitude = decimalNumber(*field);
    if (const auto field = sentenceField(sentence, 4))
        fix.lonHemisphere = hemisphere(*field);
    readTime(sentenceField(sentence, 5), fix);
    return true;
}

bool readZda(std::string_view sentence, NavFix& fix) {
    if (!sentence.starts_with(kZdaTag))
        return false;
    readTime(sentenceField(sentence, 1), fix);
    readInteger(sentenceField(sentence, 2), fix.day);
    readInteger(sentenceField(sentence, 3), fix.month);
    readInteger(sentenceField(sentence, 4), fix.year);
    return true;
}

} // namespace halcyx
