#include "core/module/ModuleRecord.h"

#include "core/acquisition/FieldReader.h"
#include "core/instrument/Format.h"
#include "core/navigation/NavAppendix.h"

namespace halcyx {

double moduleValue(std::string_view line) {
    return FieldReader(line).nextNumber();
}

std::string moduleRecord(double value, NavFix& fix, const ModuleStamp& stamp,
                         const std::tm& local) {
    std::string record = formatText("%+7.4f", value);
    if (stamp.navigation) {
        if (fix.latHemisphere == NavFix::kUnknown)
            record += ", No NAV Data";
        else if (fix.latHemisphere == NavFix::kParseError)
            record += ", NAV Parsing Error";
        else
            record += formatText(", %.3f, %c, %.3f, %c", fix.latitude, fix.latHemisphere,
                                 fix.longitude, fix.lonHemisphere);
    }
    if (stamp.timeStamp)
        appendTimeStamp(record, fix, stamp.pcTime, local);
    return record;
}

} // namespace halcyx
