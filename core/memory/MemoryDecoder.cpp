#include "core/memory/MemoryDecoder.h"

#include "core/memory/TavrinClock.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace halcyx {
namespace {

constexpr std::size_t kCountValues = 65536;
// Room for one cached count text: a length byte and the text [bytes]. The widest text,
// "%+8.4f" of a pressure count at a divisor of 1, takes 11 characters.
constexpr std::size_t kCountSlot = 16;
constexpr std::size_t kNumberChars = 64;

constexpr int kSecondsPerDay = 86400;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
constexpr int kFloatTimeBytes = 7;
// Hour, minute, second, month, day, century, year of century: "%02d:%02d:%02d " then
// "%02d-%02d-%02d%02d".
constexpr std::string_view kFloatTimeAfter[kFloatTimeBytes] = {":", ":", " ", "-", "-", "", ""};
constexpr int kTavrinCtTimedScan = 8;
constexpr int kWordBytes = 2;
constexpr int kFloatBytes = 4;
constexpr int kScaledTimeBytes = 4;
constexpr int kTavrinClockBytes = 4; // time word and date word
constexpr int kValueWidth = 8;       // the width of every "%+8.Nf" field
constexpr int kFloatPrecision = 4;

constexpr std::string_view kSeparator = ", ";
constexpr std::string_view kZeroScaledTime = "00:00:00 00-00-0000";

std::uint16_t word(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] << 8 | at[1]);
}

// "%d".
void appendInt(std::string& out, long value) {
    char digits[kNumberChars];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// "%02d".
void appendTwoDigits(std::string& out, int value) {
    if (value >= 0 && value < 10)
        out += '0';
    appendInt(out, value);
}

// "%+8.<precision>f" of a value, as snprintf writes it: the shortest exact rounding of the
// binary value (ties to even), a sign always, blanks in front to the width; "+nan" and
// "+inf" likewise. to_chars gives the same digits many times faster.
void appendSignedFixed(std::string& out, double value, int precision) {
    char text[kNumberChars];
    char* at = text;
    if (!std::signbit(value))
        *at++ = '+';
    const auto result =
        std::to_chars(at, text + sizeof text, value, std::chars_format::fixed, precision);
    if (result.ec != std::errc()) { // beyond the buffer: only for values near the float limit
        std::snprintf(text, sizeof text, "%+*.*f", kValueWidth, precision, value);
        out += text;
        return;
    }
    const auto length = static_cast<std::size_t>(result.ptr - text);
    if (length < static_cast<std::size_t>(kValueWidth))
        out.append(kValueWidth - length, ' ');
    out.append(text, length);
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
    const char* format;

    double value(std::uint16_t n) const {
        if (zeroGivesZero && n == 0)
            return 0.0;
        return divide ? n / factor + offset : factor * n + offset;
    }
};

// The text of each count, made with snprintf the first time the count appears: logged
// values change slowly, so a dump uses few of the 65536 and each is formatted once.
class CountTexts {
public:
    explicit CountTexts(const CountConversion& conversion)
        : conversion_(conversion), slots_(new char[kCountValues * kCountSlot]()) {}

    std::string_view text(std::uint16_t n) {
        char* slot = &slots_[n * kCountSlot];
        if (slot[0] == 0) {
            const int length =
                std::snprintf(slot + 1, kCountSlot - 1, conversion_.format, conversion_.value(n));
            slot[0] = static_cast<char>(std::clamp(length, 0, static_cast<int>(kCountSlot) - 2));
        }
        return {slot + 1, static_cast<std::size_t>(slot[0])};
    }

private:
    CountConversion conversion_;
    std::unique_ptr<char[]> slots_;
};

enum class FieldKind { Count, ScaledTime, Float, FloatTime, Raw, TavrinClock };

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
            addCount({0.001, false, -2.0, false, "%+8.3f"}, {}, kSeparator);
            addCount({0.0005, false, -2.0, false, "%+8.3f"}, {}, kSeparator);
            if (layout.bytesPerScan == kTavrinCtTimedScan)
                add(FieldKind::TavrinClock, kTavrinClockBytes, {}, {});
            trimSeparator_ = true;
            break;
        case MemoryFormat::TavrinP:
            addTavrinP(layout.channelMask);
            break;
        }
    }

    void append(const std::uint8_t* scan, std::string& line) {
        for (Field& field : fields_) {
            line += field.before;
            appendField(field, scan + field.offset, line);
            line += field.after;
        }
        if (trimSeparator_ && line.ends_with(kSeparator))
            line.resize(line.size() - kSeparator.size());
    }

private:
    struct Field {
        FieldKind kind;
        int offset; // [bytes] into the scan
        std::string_view before, after;
        CountTexts* texts = nullptr;
    };

    void add(FieldKind kind, int bytes, std::string_view before, std::string_view after,
             CountTexts* texts = nullptr) {
        fields_.push_back({kind, size_, before, after, texts});
        size_ += bytes;
    }
    void addCount(const CountConversion& conversion, std::string_view before,
                  std::string_view after) {
        tables_.push_back(std::make_unique<CountTexts>(conversion));
        add(FieldKind::Count, kWordBytes, before, after, tables_.back().get());
    }

    void addVexa(const MemoryLayout& layout) {
        const bool scaled = layout.format == MemoryFormat::VexaScaled;
        const double divisor = layout.pressureDivisor;
        const CountConversion conversions[kMaxPrimaryChannels] = {
            {0.001, false, -2.0, true, "%+8.4f"},  // conductivity
            {0.0005, false, -2.0, true, "%+8.4f"}, // temperature
            {divisor, true, -5.0, true, "%+8.4f"}, // pressure
            {},                                    // time
            {0.001, false, -2.0, true, "%+8.4f"},  // salinity
            {600.0, true, 1450.0, true, "%+8.4f"}, // sound velocity
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
            addCount({700.0, true, -10.0, false, "%+8.3f"}, {}, {});
        if (mask::has(channelMask, mask::kTavrinPTime))
            add(FieldKind::TavrinClock, kTavrinClockBytes, kSeparator, {});
        if (mask::has(channelMask, mask::kTavrinPBarometer))
            addCount({0.01, false, 500.0, false, "%+8.3f"}, kSeparator, {});
    }

    static void appendField(const Field& field, const std::uint8_t* at, std::string& line) {
        switch (field.kind) {
        case FieldKind::Count:
            line += field.texts->text(word(at));
            break;
        case FieldKind::Raw:
            appendInt(line, word(at));
            break;
        case FieldKind::Float: {
            std::uint32_t bits = 0;
            for (int i = 3; i >= 0; --i)
                bits = bits << 8 | at[i];
            appendSignedFixed(line, std::bit_cast<float>(bits), kFloatPrecision);
            break;
        }
        case FieldKind::ScaledTime:
            appendScaledTime(static_cast<long>(word(at)) << 16 | word(at + 2), line);
            break;
        case FieldKind::FloatTime:
            for (int i = 0; i < kFloatTimeBytes; ++i) {
                appendTwoDigits(line, at[i]);
                line += kFloatTimeAfter[i];
            }
            break;
        case FieldKind::TavrinClock:
            appendTavrinClock(decodeTavrinClock(word(at), word(at + 2)), line);
            break;
        }
    }

    // Seconds since 1970 in universal time: "%02d:%02d:%02d " and "%02d-%02d-%4d" (month,
    // day, year); memory never written shows as zeros.
    static void appendScaledTime(long seconds, std::string& line) {
        if (seconds == 0) {
            line += kZeroScaledTime;
            return;
        }
        const long secondOfDay = seconds % kSecondsPerDay;
        const CivilDate date = civilFromDays(seconds / kSecondsPerDay);
        appendTwoDigits(line, static_cast<int>(secondOfDay / kSecondsPerHour));
        line += ':';
        appendTwoDigits(line, static_cast<int>(secondOfDay % kSecondsPerHour / kSecondsPerMinute));
        line += ':';
        appendTwoDigits(line, static_cast<int>(secondOfDay % kSecondsPerMinute));
        line += ' ';
        appendTwoDigits(line, date.month);
        line += '-';
        appendTwoDigits(line, date.day);
        line += '-';
        appendInt(line, date.year); // 1970 to 2106: always the four digits of "%4d"
    }

    // "%02d:%02d:%02d " then, with a date, "%02d-%d-%d" (month, day, year).
    static void appendTavrinClock(const TavrinClock& clock, std::string& line) {
        appendTwoDigits(line, clock.hour);
        line += ':';
        appendTwoDigits(line, clock.minute);
        line += ':';
        appendTwoDigits(line, clock.second);
        line += ' ';
        if (!clock.hasDate)
            return;
        appendTwoDigits(line, clock.month);
        line += '-';
        appendInt(line, clock.day);
        line += '-';
        appendInt(line, clock.year);
    }

    std::vector<Field> fields_;
    std::vector<std::unique_ptr<CountTexts>> tables_;
    int size_ = 0;
    bool trimSeparator_ = false;
};

MemoryDecoder::MemoryDecoder(const MemoryLayout& layout, long scans, DecodedLineSink& sink)
    : layout_(layout), scans_(layoutProblem(layout) ? 0 : std::max(0L, scans)), sink_(sink),
      fields_(std::make_unique<Fields>(layout)) {
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
    line_.clear();
    fields_->append(scan, line_);
    sink_.onLine(line_);
    ++written_;
}

} // namespace halcyx
