// halcyx-cli seawater: the derived seawater quantities of one water sample.

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "core/seawater/Seawater.h"

#include <array>
#include <cstdio>
#include <iostream>

namespace halcyx::cli {
namespace {

constexpr const char* kCommand = "seawater";
constexpr double kDefaultLatitude = 45.0; // [deg], as the acquisition window

constexpr const char* kHelp =
    "Usage: halcyx-cli seawater C T P [--lat DEG]\n"
    "       halcyx-cli seawater --salinity S T P [--lat DEG]\n"
    "\n"
    "Prints the derived seawater quantities of one sample, one per line as\n"
    "'name value unit': salinity, adiabatic_gradient, potential_temperature,\n"
    "density_anomaly, depth and sound_speed.\n"
    "\n"
    "  C               conductivity [mS/cm]\n"
    "  T               temperature [degC]\n"
    "  P               pressure [dbar]\n"
    "  --salinity S    practical salinity [PSU] instead of a conductivity\n"
    "  --lat DEG       latitude for the depth [deg] (default 45)\n";

} // namespace

int SeawaterCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (IsHelp(arg)) {
            std::cout << kHelp;
            return kExitOk;
        }
    }
    OptionReader options(kCommand, args);
    const std::optional<double> salinityGiven = options.TakeNumber("--salinity");
    const double latitude = options.TakeNumber("--lat").value_or(kDefaultLatitude);
    const std::vector<std::string>& operands = options.Operands();
    if (!options.error().empty())
        return UsageError(kCommand, options.error());
    const std::size_t wanted = salinityGiven ? 2 : 3;
    if (operands.size() != wanted)
        return UsageError(kCommand, "expected " + std::to_string(wanted) + " numbers, got " +
                                        std::to_string(operands.size()));
    std::array<double, 3> numbers{};
    for (std::size_t i = 0; i < wanted; ++i) {
        const std::optional<double> value = ParseNumber(operands[i]);
        if (!value)
            return UsageError(kCommand, "'" + operands[i] + "' is not a number");
        numbers[i] = *value;
    }
    const double t = numbers[wanted - 2];
    const double p = numbers[wanted - 1];
    const double s = salinityGiven ? *salinityGiven : SeawaterSalinity(numbers[0], t, p);

    struct Quantity {
        const char* name;
        double value;
        const char* unit;
    };
    const std::array<Quantity, 6> quantities = {{
        {"salinity", s, "PSU"},
        {"adiabatic_gradient", SeawaterAtg(s, t, p), "degC/dbar"},
        {"potential_temperature", SeawaterTheta(s, t, p), "degC"},
        {"density_anomaly", SeawaterSigma(s, t, p), "kg/m3"},
        {"depth", SeawaterDepth(p, latitude), "m"},
        {"sound_speed", SeawaterSoundSpeed(s, t, p), "m/s"},
    }};
    for (const Quantity& q : quantities)
        std::printf("%s %.9g %s\n", q.name, q.value, q.unit);
    return kExitOk;
}

} // namespace halcyx::cli
