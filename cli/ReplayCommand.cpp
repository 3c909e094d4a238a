// halcyx-cli replay: a captured scan stream through the live parser into cast files.

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "core/acquisition/CastLifecycle.h"
#include "core/acquisition/ScanParser.h"
#include "core/settings/IniFile.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>

namespace halcyx::cli {
namespace {

constexpr const char* kCommand = "replay";

constexpr const char* kHelp =
    "Usage: halcyx-cli replay --model vexa2|vexa3|ct|p --mask HEX [--cfg FILE.CFG]\n"
    "                         [--pressure DBAR] [--lat DEG] STREAM OUT.DAT\n"
    "\n"
    "Feeds the raw bytes captured from an instrument's data port through the scan\n"
    "parser, tick by tick as a live cast at 9600 baud receives them, and writes the\n"
    "cast data file OUT.DAT with its header (.Hdr) and calibration (.C00) files as a\n"
    "down cast of that stream would. Cast information that only the operator knows\n"
    "stays empty. It also writes OUT.csv: a header row of the channel labels and one\n"
    "row per scan with the values of those channels.\n"
    "\n"
    "  --model M       instrument model: vexa2, vexa3, ct (Tavrin CT) or p (Tavrin P)\n"
    "  --mask HEX      channel mask as read from the instrument, e.g. 0x7 or 30F\n"
    "  --cfg FILE.CFG  take the DC channel names and coefficients of a Vexa from a\n"
    "                  configuration file (default: unnamed channels, raw values)\n"
    "  --pressure DBAR constant pressure for the Tavrin CT [dbar] (default 1)\n"
    "  --lat DEG       latitude for the depth [deg] (default 45)\n";

// Bytes the data port receives during one tick at the instrument's 9600 baud (10 bits a
// character with start and stop bit).
constexpr int kStreamBaud = 9600;
constexpr int kBitsPerCharacter = 10;
constexpr int kMsPerSecond = 1000;

std::size_t BytesPerTick(ScanLayout layout) {
    return static_cast<std::size_t>(kStreamBaud / kBitsPerCharacter * DataTickPeriodMs(layout) /
                                    kMsPerSecond);
}

// One CSV field: quoted when it holds a comma or a quote.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// Receives the scans: records into the cast data file, values into the CSV table.
class ReplaySink : public ScanSink {
public:
    ReplaySink(CastDataFile& data, std::ofstream& csv, const ChannelList& channels)
        : data_(data), csv_(csv), channels_(channels) {}

    void showReadout(Readout, std::string_view) override {}
    void plotScan(const ScanRecord& record, std::size_t) override {
        const char* separator = "";
        for (const ChannelList::Entry& entry : channels_.entries()) {
            char value[32];
            std::snprintf(value, sizeof value, "%.9g", static_cast<double>(record[entry.index]));
            csv_ << separator << value;
            separator = ",";
        }
        csv_ << "\r\n";
    }
    void writeRecord(std::string_view line) override { data_.WriteRecord(line); }
    void plotPressure(const ScanRecord&) override {}
    void redrawPressureGraphs() override {}
    void flushRecords() override {
        data_.Flush();
        csv_.flush();
    }
    void showScanCount(int) override {}
    void zoomProfileGraph() override {}
    void reopenDataFile() override {
        if (!data_.Reopen())
            reopenFailed = true;
    }

    bool reopenFailed = false;

private:
    CastDataFile& data_;
    std::ofstream& csv_;
    const ChannelList& channels_;
};

int FileError(const std::string& what, const std::string& path) {
    std::cerr << "halcyx-cli " << kCommand << ": cannot " << what << " " << path << ": "
              << std::strerror(errno) << "\n";
    return kExitFailure;
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

int ReplayCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (IsHelp(arg)) {
            std::cout << kHelp;
            return kExitOk;
        }
    }
    OptionReader options(kCommand, args);
    const std::optional<std::string> model = options.Take("--model");
    const std::optional<std::string> maskText = options.Take("--mask");
    const std::optional<std::string> cfgPath = options.Take("--cfg");
    const std::optional<double> pressure = options.TakeNumber("--pressure");
    const std::optional<double> latitude = options.TakeNumber("--lat");
    const std::vector<std::string> operands = options.Operands();
    if (!options.error().empty())
        return UsageError(kCommand, options.error());

    static const std::map<std::string, int> kModels = {{"vexa2", kProductVexa2},
                                                       {"vexa3", kProductVexa3},
                                                       {"ct", kProductTavrinCT},
                                                       {"p", kProductTavrinP}};
    if (!model)
        return UsageError(kCommand, "--model is required");
    const auto product = kModels.find(*model);
    if (product == kModels.end())
        return UsageError(kCommand, "unknown model '" + *model + "' (vexa2, vexa3, ct or p)");
    if (!maskText)
        return UsageError(kCommand, "--mask is required");
    const std::optional<std::uint32_t> channelMask = ParseHex(*maskText);
    if (!channelMask)
        return UsageError(kCommand, "'" + *maskText + "' is not a hexadecimal channel mask");
    if ((*channelMask & mask::kChannelBits) == 0)
        return UsageError(kCommand, "the channel mask has no channel on");
    if (pressure && *pressure < 0)
        return UsageError(kCommand, "--pressure must not be negative");
    const ScanLayout layout = *ScanLayoutForProduct(product->second);
    if (cfgPath && layout != ScanLayout::Vexa)
        return UsageError(kCommand, "--cfg applies to the Vexa models only");
    if (operands.size() != 2)
        return UsageError(kCommand, "expected STREAM and OUT.DAT, got " +
                                        std::to_string(operands.size()) + " operands");
    const std::string& streamPath = operands[0];
    const CastFileNames names = CastFileNamesFor(operands[1]);
    const std::string csvPath = ReplaceExtension(names.data, "csv");

    std::ifstream streamFile(streamPath, std::ios::binary);
    if (!streamFile)
        return FileError("read", streamPath);
    const std::string stream((std::istreambuf_iterator<char>(streamFile)),
                             std::istreambuf_iterator<char>());
    if (streamFile.bad())
        return FileError("read", streamPath);

    DCChannelTable dcTable;
    if (cfgPath) {
        // The profile reader gives defaults for a file it cannot open; say so instead.
        if (!std::ifstream(*cfgPath))
            return FileError("read", *cfgPath);
        ReadDcChannelTexts(IniFile(*cfgPath), dcTable);
    }
    ScanParser parser(layout, *channelMask, dcTable);
    parser.setConstants(
        static_cast<float>(pressure.value_or(ScanParser::kDefaultConstantPressure)),
        static_cast<float>(latitude.value_or(ScanParser::kDefaultConstantLatitude)));

    CastInfo info;
    CastDataFile data;
    if (!StartCastFiles(data, info, names.data, LocalNow()))
        return FileError("create", names.data);
    std::ofstream csv(csvPath, std::ios::binary | std::ios::trunc);
    if (!csv)
        return FileError("create", csvPath);
    const char* separator = "";
    for (const ChannelList::Entry& entry : parser.channels().entries()) {
        csv << separator << CsvField(entry.label);
        separator = ",";
    }
    csv << "\r\n";

    ReplaySink sink(data, csv, parser.channels());
    parser.StartCast();
    const std::size_t tickBytes = BytesPerTick(layout);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream.data());
    for (std::size_t at = 0; at < stream.size(); at += tickBytes)
        parser.Tick({bytes + at, std::min(tickBytes, stream.size() - at)}, sink);

    csv.close();
    if (!csv)
        return FileError("write", csvPath);
    CastSummary cast;
    cast.layout = layout;
    cast.channelMask = *channelMask;
    cast.scanCount = parser.scanCount();
    const bool written = EndCastFiles(data, {}, info, cast, parser.dcConversions(), LocalNow(), {});
    if (sink.reopenFailed)
        return FileError("reopen", names.data);
    if (!written)
        return FileError("write the header or calibration file of", names.data);
    return kExitOk;
}

} // namespace halcyx::cli
