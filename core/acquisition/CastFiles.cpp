#include "core/acquisition/CastFiles.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>

namespace halcyx {
namespace {

constexpr char kDirectorySeparator = '/';
constexpr std::size_t kHeaderLeftColumn = 10;
constexpr std::size_t kHeaderRightColumn = 34;
constexpr std::size_t kHeaderValueChars = 13;
constexpr std::size_t kTmYearBase = 1900;

// snprintf into a string sized for short formatted values.
template <typename... Args> std::string Format(const char* format, Args... args) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, args...);
    return buffer.data();
}

std::string ClockTime(const std::tm& t) {
    return Format("%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
}

// Program-set values stay within their field.
std::string Fit(std::string value, std::size_t size) {
    value.resize(std::min(value.size(), size - 1));
    return value;
}

} // namespace

std::string replaceExtension(std::string_view path, std::string_view extension) {
    const std::size_t slash = path.rfind(kDirectorySeparator);
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    const std::string_view stem =
        dot == std::string_view::npos || dot < nameStart ? path : path.substr(0, dot);
    std::string result(stem);
    result += '.';
    result += extension;
    return result;
}

CastFileNames castFileNamesFor(std::string_view dataPath) {
    return {std::string(dataPath), replaceExtension(dataPath, "C00"),
            replaceExtension(dataPath, "Hdr"), replaceExtension(dataPath, "BTL")};
}

void prepareCastInfo(CastInfo& info, const CastFileNames& names, const std::tm& now) {
    info.dataFile = names.data;
    info.calibrationFile = names.calibration;
    info.headerFile = names.header;
    info.date = Format("%02d-%02d-%04d", now.tm_mon + 1, now.tm_mday,
                       now.tm_year + static_cast<int>(kTmYearBase));
    info.startTime = ClockTime(now);
}

std::string scanRateText(ScanLayout layout, std::optional<int> rateIndex,
                         const std::string& current) {
    const std::span<const double> rates = modelTraits(layout).samplingRates;
    if (rates.empty())
        return "N/A";
    if (!rateIndex || *rateIndex < 0 || *rateIndex >= static_cast<int>(rates.size()))
        return current;
    return Format("%.2f Hz", rates[static_cast<std::size_t>(*rateIndex)]);
}

void completeCastInfo(CastInfo& info, ScanLayout layout, ChannelMask channelMask,
                      const std::string& serialNumber, std::optional<int> rateIndex, bool downCast,
                      int scanCount, const std::tm& now) {
    info.parameters = std::to_string(std::popcount(channelMask & mask::kChannelBits));
    info.frameLength = "ASCII";
    info.instrument = Fit(serialNumber, CastInfo::kNameSize);
    info.scanRate = Fit(scanRateText(layout, rateIndex, info.scanRate), CastInfo::kShortSize);
    info.direction = downCast ? "Down" : "Up";
    info.endTime = ClockTime(now);
    info.observations = std::to_string(scanCount);
}

std::string formatCastHeader(const CastInfo& info) {
    struct Row {
        const char* templ;
        const std::string* left;
        const std::string* right;
    };
    const std::array<Row, 14> rows = {{
        {"  Vessel:              |Cruise #:              |", &info.vessel, &info.cruise},
        {"   Sta.#:              |Operator:              |", &info.station, &info.operatorName},
        {" Inst. #:              | Direct.:              |", &info.instrument, &info.direction},
        {"CAL Extn: C00          |    Date:              |", nullptr, &info.date},
        {" St.Time:              | En.Time:              |", &info.startTime, &info.endTime},
        {" St.Lat.:              | En.Lat.:              |", &info.startLatitude,
         &info.endLatitude},
        {" St.Long:              | En.Long:              |", &info.startLongitude,
         &info.endLongitude},
        {"   Depth:       Meters |    Obs.:              |", &info.depth, &info.observations},
        {"AverOver: 0            |ScanRate:      Hz      |", nullptr, &info.scanRate},
        {"    >,<:               |     >,<:              |", nullptr, nullptr},
        {"    >,<:               |     >,<:              |", nullptr, nullptr},
        {"    >,<:               |     >,<:              |", nullptr, nullptr},
        {"    >,<:               |     >,<:              |", nullptr, nullptr},
        {"-----------------------------------------------|", nullptr, nullptr},
    }};
    std::string text;
    for (const Row& row : rows) {
        std::string line = row.templ;
        auto place = [&line](const std::string* value, std::size_t column) {
            if (value != nullptr)
                line.replace(column, std::min(value->size(), kHeaderValueChars), *value, 0,
                             kHeaderValueChars);
        };
        place(row.left, kHeaderLeftColumn);
        place(row.right, kHeaderRightColumn);
        text += line;
        text += '\n';
    }
    return text;
}

bool writeTextFile(const std::string& path, std::string_view text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = true;
    std::size_t start = 0;
    while (ok && start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view piece = text.substr(start, end - start);
        ok = std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
        if (ok && end < text.size())
            ok = std::fputs("\r\n", file) >= 0;
        start = end + 1;
    }
    return std::fclose(file) == 0 && ok;
}

} // namespace halcyx
