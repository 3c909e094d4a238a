// halcyx-cli decode: a saved memory dump into the data file a download writes.

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "core/memory/DownloadFiles.h"
#include "core/memory/DumpPlan.h"
#include "core/memory/MemoryDecoder.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <sys/stat.h>
#include <vector>

namespace halcyx::cli {
namespace {

constexpr const char* kCommand = "decode";

constexpr const char* kHelp =
    "Usage: halcyx-cli decode --model vexa2|vexa3|ct|p --mask HEX --bytes-per-scan N\n"
    "                         [--scaled] [--divisor D] [--scans N] [--cfg FILE.CFG]\n"
    "                         DUMP.bin OUT.Dat\n"
    "\n"
    "Decodes a dump of an instrument's logging memory (the bytes it sent for BDMP,\n"
    "as a download saves them) into the data file OUT.Dat that the download writes,\n"
    "one line per scan. For every model but the Tavrin P it also writes the header\n"
    "(.Hdr) and calibration (.C00) files; a Tavrin P data file starts with the\n"
    "deployment information, here empty but for the time and date. A Tavrin's last\n"
    "scan is not decoded: the instrument is still writing it.\n"
    "\n"
    "  --model M           instrument model: vexa2, vexa3, ct (Tavrin CT) or p (Tavrin P)\n"
    "  --mask HEX          channel mask as read from the instrument, e.g. 0x7 or 30F\n"
    "  --bytes-per-scan N  bytes of one logged scan, as the instrument reports them\n"
    "  --scaled            a Vexa 3 whose memory holds 16-bit scaled values\n"
    "  --divisor D         counts per dbar of the scaled pressure: 300, 60, 30, 20 or 10\n"
    "                      by the transducer range (needed with --scaled and pressure on)\n"
    "  --scans N           the scans the instrument logged (default: every whole scan\n"
    "                      in the dump); bytes after them are passed over\n"
    "  --cfg FILE.CFG      take the DC channel names and coefficients of a Vexa from a\n"
    "                      configuration file, for the calibration file\n";

// The most bytes one read of the port delivers during a download [bytes]: the dump is
// fed in pieces of this size, as the download feeds it.
constexpr std::size_t kReadBytes = 8168;
constexpr long kMaxBytesPerScan = DumpPlan::kChunkBytes;
constexpr long kMaxDivisor = 65535;

// A whole number from lowest to highest; nullopt otherwise.
std::optional<long> WholeNumber(const std::optional<double>& value, long lowest, long highest) {
    if (!value || *value != std::floor(*value) || *value < double(lowest) ||
        *value > double(highest))
        return std::nullopt;
    return static_cast<long>(*value);
}

// Closes the file on every way out.
struct DumpFile {
    std::FILE* file;
    ~DumpFile() {
        if (file != nullptr)
            std::fclose(file);
    }
};

} // namespace

int DecodeCommand(const std::vector<std::string>& args) {
    if (AnswerHelp(args, kHelp))
        return kExitOk;
    OptionReader options(kCommand, args);
    const std::optional<std::string> model = options.Take("--model");
    const std::optional<std::string> maskText = options.Take("--mask");
    const std::optional<double> bytesPerScan = options.TakeNumber("--bytes-per-scan");
    const bool scaled = options.TakeFlag("--scaled");
    const std::optional<double> divisor = options.TakeNumber("--divisor");
    const std::optional<double> scans = options.TakeNumber("--scans");
    const std::optional<std::string> cfgPath = options.Take("--cfg");
    const std::vector<std::string> operands = options.Operands();
    if (!options.error().empty())
        return UsageError(kCommand, options.error());

    ProductCode product = ProductCode::None;
    MemoryLayout layout;
    if (const std::string error = CheckModelAndMask(model, maskText, product, layout.channelMask);
        !error.empty())
        return UsageError(kCommand, error);
    if (!bytesPerScan)
        return UsageError(kCommand, "--bytes-per-scan is required");
    const std::optional<long> scanBytes = WholeNumber(bytesPerScan, 1, kMaxBytesPerScan);
    if (!scanBytes)
        return UsageError(kCommand, "--bytes-per-scan must be a whole number from 1 to " +
                                        std::to_string(kMaxBytesPerScan));
    layout.bytesPerScan = static_cast<int>(*scanBytes);
    if (scaled && product != ProductCode::Vexa3)
        return UsageError(kCommand, "--scaled applies to the Vexa 3 only");
    if (divisor && !scaled)
        return UsageError(kCommand, "--divisor goes with --scaled");
    if (scaled && mask::has(layout.channelMask, mask::kPressure) && !divisor)
        return UsageError(kCommand, "--scaled with pressure on needs --divisor");
    const std::optional<long> divisorValue = WholeNumber(divisor, 1, kMaxDivisor);
    if (divisor && !divisorValue)
        return UsageError(kCommand, "--divisor must be a whole number from 1 to 65535");
    layout.pressureDivisor = static_cast<int>(divisorValue.value_or(0));
    const std::optional<long> scanCount = WholeNumber(scans, 0, LONG_MAX / *scanBytes);
    if (scans && !scanCount)
        return UsageError(kCommand, "--scans must be a whole number, 0 or more");
    layout.format = *memoryFormatFor(product, scaled);
    if (const std::optional<std::string> problem = layoutProblem(layout))
        return UsageError(kCommand, *problem);
    if (cfgPath && isTavrin(layout.format))
        return UsageError(kCommand, "--cfg applies to the Vexa models only");
    if (operands.size() != 2)
        return UsageError(kCommand, "expected DUMP.bin and OUT.Dat, got " +
                                        std::to_string(operands.size()) + " operands");
    const std::string& dumpPath = operands[0];
    const CastFileNames names = castFileNamesFor(operands[1]);

    DCChannelTable dcTable;
    if (cfgPath)
        if (const int exit = ReadDcChannelOption(kCommand, *cfgPath, dcTable); exit != kExitOk)
            return exit;

    const DumpFile dump{std::fopen(dumpPath.c_str(), "rb")};
    struct stat dumpStat {};
    if (dump.file == nullptr || ::fstat(fileno(dump.file), &dumpStat) != 0)
        return ReportFileFailure(kCommand, "read", dumpPath, errno);
    if (S_ISDIR(dumpStat.st_mode))
        return ReportFileFailure(kCommand, "read", dumpPath, EISDIR);
    const long loggedScans = scanCount.value_or(static_cast<long>(dumpStat.st_size) / *scanBytes);

    const std::tm now = LocalNow();
    RecordFile data;
    if (!data.create(names.data))
        return ReportFileFailure(kCommand, "create", names.data, errno);
    CastInfo info;
    prepareCastInfo(info, names, now);
    if (layout.format == MemoryFormat::TavrinP) {
        DeploymentInfo deployment;
        prepareDeploymentInfo(deployment, now, {});
        writeLines(data, formatDeploymentHeader(deployment, layout.channelMask));
    }

    RecordFileSink sink(data);
    MemoryDecoder decoder(layout, scansToDecode(layout.format, loggedScans), sink);
    std::vector<std::uint8_t> block(kReadBytes);
    while (!decoder.complete()) {
        const std::size_t n = std::fread(block.data(), 1, block.size(), dump.file);
        if (n == 0)
            break;
        decoder.feed(std::span(block).first(n));
    }
    if (std::ferror(dump.file))
        return ReportFileFailure(kCommand, "read", dumpPath, errno);
    if (!decoder.complete())
        std::cerr << "halcyx-cli " << kCommand << ": the dump ends after " << decoder.scansWritten()
                  << " of " << decoder.scansToWrite() << " scans"
                  << (decoder.partialBytes() > 0 ? " and part of the next" : "") << "\n";

    if (!data.Close())
        return ReportFileFailure(kCommand, "write", data.failure()->path, data.failure()->error);
    if (layout.format == MemoryFormat::TavrinP)
        return kExitOk;
    const DownloadSummary summary{*modelTraits(product).layout,
                                  layout.channelMask,
                                  layout.bytesPerScan,
                                  {},
                                  std::nullopt,
                                  loggedScans};
    if (const std::optional<FileError> failure =
            writeDownloadFiles(info, summary, buildDcConversions(dcTable), now))
        return ReportFileFailure(kCommand, "write", failure->path, failure->error);
    return kExitOk;
}

} // namespace halcyx::cli
