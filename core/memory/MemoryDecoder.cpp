#include "core/memory/MemoryDecoder.h"

#include "core/memory/TavrinClock.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace halcyx {
namespace {

constexpr std::size_t kNumberChars = 64;
// Room for the longest line, a float Vexa's with every channel and each float near its
// limit: about 350 characters [bytes].
constexpr std::size_t kLineBytes = 1024;

constexpr int kSecondsPerDay = 86400;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
constexpr int kFloatTimeBytes = 7;
// What follows each byte of a float Vexa's time (hour, minute, second, month, day, century,
// year of century) in "%02d:%02d:%02d %02d-%02d-%02d%02d"; a zero stands for nothing.
constexpr char kFloatTimeAfter[kFloatTimeBytes] = {':', ':', ' ', '-', '-', 0, 0};
constexpr int kTavrinCtTimedScan = 8;
constexpr int kWordBytes = 2;
constexpr int kFloatBytes = 4;
constexpr int kScaledTimeBytes = 4;
constexpr int kTavrinClockBytes = 4;   // time word and date word
constexpr std::size_t kValueWidth = 8; // the width of every "%+8.Nf" field
constexpr int kFloatPrecision = 4;

constexpr std::string_view kSeparator = ", ";
constexpr std::string_view kZeroScaledTime = "00:00:00 00-00-0000";

std::uint16_t word(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] << 8 | at[1]);
}

// Each writer puts its text at out and returns the end; the line buffer has room for the
// longest line and an affix more.
char* putText(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// "%d".
char* putInt(char* out, long value) {
    return std::to_chars(out, out + kNumberChars, value).ptr;
}

// "%02d".
constexpr std::array<char, 200> kTwoDigits = [] {
    std::array<char, 200> digits{};
    for (int i = 0; i < 100; ++i) {
        digits[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        digits[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return digits;
}();
char* putTwoDigits(char* out, int value) {
    if (value < 0 || value >= 100)
        return putInt(out, value);
    std::memcpy(out, &kTwoDigits[static_cast<std::size_t>(2 * value)], 2);
    return out + 2;
}

// The decimal units of a product |value| x scale below 2^52, rounded as printf rounds: to
// the nearest, ties to even, by the exact binary value. The product in doubles is off by at
// most half a unit of its last place, and its fraction is a whole number of those places,
// so a fraction other than one half already tells the side; at exactly one half the sign
// of the product's rounding error (fma gives it exactly) decides, and without one it is a
// true tie.
std::uint64_t roundedUnits(double magnitude, double scaled, double scale) {
    const auto whole = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    if (fraction != 0.5)
        return whole + (fraction > 0.5 ? 1 : 0);
    const double error = std::fma(magnitude, scale, -scaled);
    const bool up = error > 0 || (error == 0 && whole % 2 == 1);
    return whole + (up ? 1 : 0);
}

// "%+8.<precision>f" of a value, as snprintf writes it: a sign always, blanks in front to
// the width; "+nan" and "+inf" likewise. to_chars, exact as well but slower, takes values
// whose units would not fit the direct way.
char* putFixed(char* out, double value, int precision) {
    constexpr double kDirectBelow = 1e9;   // [units]: errors far below the half margin
    constexpr std::size_t kShortText = 16; // copied whole: the line buffer has the room
    const std::uint64_t scale = precision == 3 ? 1000 : 10000;
    char text[kNumberChars];
    char* at = text;
    *at++ = std::signbit(value) ? '-' : '+';
    const double scaled = std::fabs(value) * static_cast<double>(scale);
    if (scaled < kDirectBelow) {
        const std::uint64_t units =
            roundedUnits(std::fabs(value), scaled, static_cast<double>(scale));
        at = std::to_chars(at, text + sizeof text, units / scale).ptr;
        *at++ = '.';
        const auto decimals = static_cast<int>(units % scale);
        if (precision == 3)
            *at++ = static_cast<char>('0' + decimals / 100);
        else
            at = putTwoDigits(at, decimals / 100);
        at = putTwoDigits(at, decimals % 100);
    } else {
        // to_chars writes the sign of a negative value itself.
        at = std::to_chars(text + (std::signbit(value) ? 0 : 1), text + sizeof text, value,
                           std::chars_format::fixed, precision)
                 .ptr;
    }
    const auto length = static_cast<std::size_t>(at - text);
    if (length < kValueWidth) {
        std::memset(out, ' ', kValueWidth);
        out += kValueWidth - length;
    }
    std::memcpy(out, text, length <= kShortText ? kShortText : length);
    return out + length;
}

// days since 1970-01-01 to the civil date (proleptic Gregorian).
struct CivilDate {
    long year;
    int month;
    int day;
};
CivilDate civilFromDays(long days) {
    constexpr long kShiftToMarch0000 = 719468;
    constexpr long kDaysPerEra = 146097; // 400 years
    days += kShiftToMarch0000;
    const long era = days / kDaysPerEra;
    const long dayOfEra = days - era * kDaysPerEra;
    const long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// How a 16-bit count becomes a value: factor x N + offset, or N / divisor + offset.
struct CountConversion {
    double factor;
    bool divide;
    double offset;
    bool zeroGivesZero; // a count of 0 (memory never written) is 0, not the offset
    int precision;      // decimals of "%+8.<precision>f"

    double value(std::uint16_t n) const {
        if (zeroGivesZero && n == 0)
            return 0.0;
        return divide ? n / factor + offset : factor * n + offset;
    }
};

enum class FieldKind { Count, ScaledTime, Float, FloatTime, Raw, TavrinClock };

// The text of one count as its field prints it, copied whole: length 0 until it is known.
struct CountText {
    static constexpr std::size_t kMaxChars = 15;
    std::array<char, kMaxChars> text;
    std::uint8_t length;
};
static_assert(sizeof(CountText) == 16);
constexpr std::size_t kCounts = 65536; // every value of a 16-bit word

// The texts of a field's counts, each made the first time its count is met: a dump repeats
// counts over and over, and a table look-up is much cheaper than formatting. Allocated
// zeroed by the system, so pages of counts never met cost nothing.
struct FreeDeleter {
    void operator()(CountText* texts) const { std::free(texts); }
};
using CountTexts = std::unique_ptr<CountText[], FreeDeleter>;
CountTexts makeCountTexts() {
    return CountTexts(static_cast<CountText*>(std::calloc(kCounts, sizeof(CountText))));
}

// The text before or after a field: nothing or a separator, copied whole.
struct Affix {
    static constexpr std::size_t kMaxChars = 2;
    std::array<char, kMaxChars> text{};
    std::size_t length = 0;

    Affix(std::string_view value = {}) : length(std::min(value.size(), kMaxChars)) {
        std::copy_n(value.data(), length, text.data());
    }
    char* put(char* out) const {
        std::memcpy(out, text.data(), kMaxChars);
        return out + length;
    }
};

} // namespace

// The fields of one scan in order, each with its place in the scan and the text around it.
class MemoryDecoder::Fields {
public:
    explicit Fields(const MemoryLayout& layout) {
        switch (layout.format) {
        case MemoryFormat::VexaScaled:
        case MemoryFormat::VexaFloat:
            addVexa(layout);
            break;
        case MemoryFormat::TavrinCT:
            addCount({0.001, false, -2.0, false, 3}, {}, kSeparator);
            addCount({0.0005, false, -2.0, false, 3}, {}, kSeparator);
            if (layout.bytesPerScan == kTavrinCtTimedScan)
                add(FieldKind::TavrinClock, kTavrinClockBytes, {}, {});
            trimSeparator_ = true;
            break;
        case MemoryFormat::TavrinP:
            addTavrinP(layout.channelMask);
            break;
        }
    }

    // Puts the line of a scan at line and returns its end.
    char* putLine(const std::uint8_t* scan, char* line) {
        char* out = line;
        for (const Field& field : fields_) {
            out = field.after.put(putField(field, scan + field.offset, field.before.put(out)));
        }
        if (trimSeparator_ && std::string_view(line, out).ends_with(kSeparator))
            out -= kSeparator.size();
        return out;
    }

private:
    struct Field {
        FieldKind kind;
        int offset; // [bytes] into the scan
        Affix before, after;
        CountConversion conversion{};
        CountTexts countTexts{}; // Count fields
    };

    void add(FieldKind kind, int bytes, std::string_view before, std::string_view after,
             const CountConversion& conversion = {}) {
        fields_.push_back({kind, size_, before, after, conversion,
                           kind == FieldKind::Count ? makeCountTexts() : nullptr});
        size_ += bytes;
    }
    void addCount(const CountConversion& conversion, std::string_view before,
                  std::string_view after) {
        add(FieldKind::Count, kWordBytes, before, after, conversion);
    }

    void addVexa(const MemoryLayout& layout) {
        const bool scaled = layout.format == MemoryFormat::VexaScaled;
        const double divisor = layout.pressureDivisor;
        const CountConversion conversions[kMaxPrimaryChannels] = {
            {0.001, false, -2.0, true, 4},  // conductivity
            {0.0005, false, -2.0, true, 4}, // temperature
            {divisor, true, -5.0, true, 4}, // pressure
            {},                             // time
            {0.001, false, -2.0, true, 4},  // salinity
            {600.0, true, 1450.0, true, 4}, // sound velocity
        };
        for (int n = 1; n <= kMaxPrimaryChannels; ++n) {
            const ChannelMask bit = primaryChannelBit(n);
            if (!mask::has(layout.channelMask, bit))
                continue;
            if (bit == mask::kTime)
                add(scaled ? FieldKind::ScaledTime : FieldKind::FloatTime,
                    scaled ? kScaledTimeBytes : kFloatTimeBytes, {}, kSeparator);
            else if (scaled)
                addCount(conversions[n - 1], {}, kSeparator);
            else
                add(FieldKind::Float, kFloatBytes, {}, kSeparator);
        }
        for (int n = 1; n <= kMaxDcChannels; ++n)
            if (mask::has(layout.channelMask, dcChannelBit(n)))
                add(FieldKind::Raw, kWordBytes, {}, kSeparator);
        trimSeparator_ = true;
    }

    void addTavrinP(ChannelMask channelMask) {
        if (mask::has(channelMask, primaryChannelBit(1)))
            addCount({700.0, true, -10.0, false, 3}, {}, {});
        if (mask::has(channelMask, mask::kTavrinPTime))
            add(FieldKind::TavrinClock, kTavrinClockBytes, kSeparator, {});
        if (mask::has(channelMask, mask::kTavrinPBarometer))
            addCount({0.01, false, 500.0, false, 3}, kSeparator, {});
    }

    char* putField(const Field& field, const std::uint8_t* at, char* out) {
        switch (field.kind) {
        case FieldKind::Count:
            return putCount(field, word(at), out);
        case FieldKind::Raw:
            return putInt(out, word(at));
        case FieldKind::Float: {
            std::uint32_t bits = 0;
            for (int i = 3; i >= 0; --i)
                bits = bits << 8 | at[i];
            return putFixed(out, std::bit_cast<float>(bits), kFloatPrecision);
        }
        case FieldKind::ScaledTime:
            return putScaledTime(out, static_cast<long>(word(at)) << 16 | word(at + 2));
        case FieldKind::FloatTime:
            for (int i = 0; i < kFloatTimeBytes; ++i) {
                out = putTwoDigits(out, at[i]);
                if (kFloatTimeAfter[i] != 0)
                    *out++ = kFloatTimeAfter[i];
            }
            return out;
        case FieldKind::TavrinClock:
            return putTavrinClock(out, word(at), word(at + 2));
        }
        return out;
    }

    // "%+8.<precision>f" of the count's value, from the field's table once it is known.
    static char* putCount(const Field& field, std::uint16_t count, char* out) {
        CountText* entry = field.countTexts ? &field.countTexts[count] : nullptr;
        if (entry == nullptr || entry->length == 0) {
            char text[kNumberChars];
            const char* end =
                putFixed(text, field.conversion.value(count), field.conversion.precision);
            const auto length = static_cast<std::size_t>(end - text);
            if (entry == nullptr || length > CountText::kMaxChars)
                return putText(out, {text, length});
            std::memcpy(entry->text.data(), text, length);
            entry->length = static_cast<std::uint8_t>(length);
        }
        std::memcpy(out, entry, sizeof *entry);
        return out + entry->length;
    }

    // Seconds since 1970 in universal time: "%02d:%02d:%02d " and "%02d-%02d-%4d" (month,
    // day, year); memory never written shows as zeros.
    static char* putScaledTime(char* out, long seconds) {
        if (seconds == 0)
            return putText(out, kZeroScaledTime);
        const auto secondOfDay = static_cast<int>(seconds % kSecondsPerDay);
        const CivilDate date = civilFromDays(seconds / kSecondsPerDay);
        out = putTwoDigits(out, secondOfDay / kSecondsPerHour);
        *out++ = ':';
        out = putTwoDigits(out, secondOfDay % kSecondsPerHour / kSecondsPerMinute);
        *out++ = ':';
        out = putTwoDigits(out, secondOfDay % kSecondsPerMinute);
        *out++ = ' ';
        out = putTwoDigits(out, date.month);
        *out++ = '-';
        out = putTwoDigits(out, date.day);
        *out++ = '-';
        return putInt(out, date.year); // 1970 to 2106: always the four digits of "%4d"
    }

    // "%02d:%02d:%02d " then, with a date, "%02d-%d-%d" (month, day, year). Scans logged on
    // one day share their date word, so the date's text is kept until the word changes.
    char* putTavrinClock(char* out, std::uint16_t timeWord, std::uint16_t dateWord) {
        const TavrinClock clock = decodeTavrinClock(timeWord, dateWord);
        out = putTwoDigits(out, clock.hour);
        *out++ = ':';
        out = putTwoDigits(out, clock.minute);
        *out++ = ':';
        out = putTwoDigits(out, clock.second);
        *out++ = ' ';
        if (!dateKnown_ || dateWord != dateWord_) {
            char* end = dateText_.data();
            if (clock.hasDate) {
                end = putTwoDigits(end, clock.month);
                *end++ = '-';
                end = putInt(end, clock.day);
                *end++ = '-';
                end = putInt(end, clock.year);
            }
            dateLength_ = static_cast<std::size_t>(end - dateText_.data());
            dateWord_ = dateWord;
            dateKnown_ = true;
        }
        std::memcpy(out, dateText_.data(), dateText_.size());
        return out + dateLength_;
    }

    std::vector<Field> fields_;
    int size_ = 0;
    bool trimSeparator_ = false;
    // The text of the last Tavrin date word: "mm-d-yyyy" at most 2 + 1 + 5 + 1 + 11 chars.
    std::array<char, 24> dateText_{};
    std::size_t dateLength_ = 0;
    std::uint16_t dateWord_ = 0;
    bool dateKnown_ = false;
};

MemoryDecoder::MemoryDecoder(const MemoryLayout& layout, long scans, DecodedLineSink& sink)
    : layout_(layout), scans_(layoutProblem(layout) ? 0 : std::max(0L, scans)), sink_(sink),
      fields_(std::make_unique<Fields>(layout)), line_(kLineBytes) {
    partial_.reserve(static_cast<std::size_t>(std::max(0, layout.bytesPerScan)));
}

MemoryDecoder::~MemoryDecoder() = default;

long MemoryDecoder::scansRead() const {
    return layout_.bytesPerScan > 0 ? received_ / layout_.bytesPerScan : 0;
}

void MemoryDecoder::feed(std::span<const std::uint8_t> bytes) {
    received_ += static_cast<long>(bytes.size());
    if (complete())
        return;
    const auto scanBytes = static_cast<std::size_t>(layout_.bytesPerScan);
    if (!partial_.empty()) {
        const std::size_t take = std::min(scanBytes - partial_.size(), bytes.size());
        partial_.insert(partial_.end(), bytes.begin(), bytes.begin() + static_cast<long>(take));
        bytes = bytes.subspan(take);
        if (partial_.size() < scanBytes)
            return;
        decodeScan(partial_.data());
        partial_.clear();
    }
    while (bytes.size() >= scanBytes && !complete()) {
        decodeScan(bytes.data());
        bytes = bytes.subspan(scanBytes);
    }
    if (!complete())
        partial_.assign(bytes.begin(), bytes.end());
}

void MemoryDecoder::decodeScan(const std::uint8_t* scan) {
    const char* end = fields_->putLine(scan, line_.data());
    sink_.onLine({line_.data(), static_cast<std::size_t>(end - line_.data())});
    ++written_;
}

} // namespace halcyx
