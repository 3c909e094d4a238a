// halcyx-cli replay: a captured scan stream through a cast session into cast files.

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/NumberText.h"
#include "core/acquisition/CastSession.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
// The stream is read in blocks of whole ticks of about this size [bytes].
constexpr std::size_t kReadBlockBytes = 64 * 1024;
constexpr double kMaxLatitude = 90.0; // [deg]

std::size_t BytesPerTick(ScanLayout layout) {
    return static_cast<std::size_t>(kStreamBaud / kBitsPerCharacter *
                                    modelTraits(layout).dataTickMs / kMsPerSecond);
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

// The value table: a row of channel labels, then one row per scan with those values.
class CsvTable : public ScanSubscriber {
public:
    explicit CsvTable(const ChannelList& channels) : channels_(channels) {}

    bool create(const std::string& path) {
        if (!file_.create(path))
            return false;
        std::string header;
        for (const ChannelList::Entry& entry : channels_.entries())
            header += (header.empty() ? "" : ",") + CsvField(entry.label);
        file_.writeRecord(header);
        return true;
    }
    void onScan(const ScanRecord& record, std::size_t) override {
        row_.resize(channels_.entries().size() * kG9MaxChars);
        char* at = row_.data();
        for (const ChannelList::Entry& entry : channels_.entries()) {
            if (at != row_.data())
                *at++ = ',';
            at = FormatG9(record[entry.index], at);
        }
        file_.writeRecord({row_.data(), static_cast<std::size_t>(at - row_.data())});
    }
    RecordFile& file() { return file_; }

private:
    const ChannelList& channels_;
    RecordFile file_;
    std::string row_;
};

int FileFailure(const std::string& what, const std::string& path, int error) {
    return ReportFileFailure(kCommand, what, path, error);
}

int SystemError(const std::string& what, const std::string& path) {
    return FileFailure(what, path, errno);
}

int WriteFailure(const FileError& failure) {
    return FileFailure("write", failure.path, failure.error);
}

// The derived quantities of the Tavrin CT at the constant pressure [dbar] stay finite
// for water from fresh and cold to salty and warm.
bool DerivedStayFinite(double pressure, double latitude) {
    ScanDecoder probe(ScanLayout::TavrinCT, mask::kConductivity | mask::kTemperature,
                      DCChannelTable());
    probe.setConstants(static_cast<float>(pressure), static_cast<float>(latitude));
    for (const char* line : {"0.0,0.0", "0.1,-2.0", "40.0,10.0", "70.0,35.0"}) {
        probe.Decode(line, 0);
        for (std::size_t i = 0; i < probe.valueCount(); ++i)
            if (!std::isfinite(probe.record()[i]))
                return false;
    }
    return true;
}

// Reads the stream in blocks of whole ticks, as the port would deliver it, so memory
// does not grow with the stream. False (errno set) when the stream cannot be read.
class StreamReader {
public:
    StreamReader(int fd, std::size_t tickBytes)
        : fd_(fd), block_(tickBytes * std::max<std::size_t>(1, kReadBlockBytes / tickBytes)) {}

    // The next block; empty at the end of the stream. Every block but the last is full.
    bool next(std::span<const std::uint8_t>& block) {
        std::size_t filled = 0;
        while (filled < block_.size()) {
            const ssize_t n = ::read(fd_, block_.data() + filled, block_.size() - filled);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            filled += static_cast<std::size_t>(n);
        }
        block = std::span(block_).first(filled);
        return true;
    }

private:
    int fd_;
    std::vector<std::uint8_t> block_;
};

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

int ReplayCommand(const std::vector<std::string>& args) {
    if (AnswerHelp(args, kHelp))
        return kExitOk;
    OptionReader options(kCommand, args);
    const std::optional<std::string> model = options.Take("--model");
    const std::optional<std::string> maskText = options.Take("--mask");
    const std::optional<std::string> cfgPath = options.Take("--cfg");
    const std::optional<double> pressure = options.TakeNumber("--pressure");
    const std::optional<double> latitude = options.TakeNumber("--lat");
    const std::vector<std::string> operands = options.Operands();
    if (!options.error().empty())
        return UsageError(kCommand, options.error());

    ProductCode product = ProductCode::None;
    ChannelMask channelMask = 0;
    if (const std::string error = CheckModelAndMask(model, maskText, product, channelMask);
        !error.empty())
        return UsageError(kCommand, error);
    if (pressure && *pressure < 0)
        return UsageError(kCommand, "--pressure must not be negative");
    if (latitude && std::fabs(*latitude) > kMaxLatitude)
        return UsageError(kCommand, "--lat must lie from -90 to 90");
    const ScanLayout layout = *modelTraits(product).layout;
    const double constantPressure = pressure.value_or(ScanDecoder::kDefaultConstantPressure);
    const double constantLatitude = latitude.value_or(ScanDecoder::kDefaultConstantLatitude);
    if (pressure && !DerivedStayFinite(constantPressure, constantLatitude))
        return UsageError(kCommand, "--pressure is too large for the derived quantities");
    if (cfgPath && layout != ScanLayout::Vexa)
        return UsageError(kCommand, "--cfg applies to the Vexa models only");
    if (operands.size() != 2)
        return UsageError(kCommand, "expected STREAM and OUT.DAT, got " +
                                        std::to_string(operands.size()) + " operands");
    const std::string& streamPath = operands[0];
    const CastFileNames names = castFileNamesFor(operands[1]);
    const std::string csvPath = replaceExtension(names.data, "csv");

    DCChannelTable dcTable;
    if (cfgPath)
        if (const int exit = ReadDcChannelOption(kCommand, *cfgPath, dcTable); exit != kExitOk)
            return exit;

    const Descriptor stream{::open(streamPath.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat streamStat {};
    if (stream.fd < 0 || ::fstat(stream.fd, &streamStat) != 0)
        return SystemError("read", streamPath);
    if (S_ISDIR(streamStat.st_mode))
        return FileFailure("read", streamPath, EISDIR);

    CastSession session(layout, channelMask, dcTable, Durability::Buffered);
    session.decoder().setConstants(static_cast<float>(constantPressure),
                                   static_cast<float>(constantLatitude));
    CsvTable csv(session.decoder().channels());
    session.subscribe(csv);
    if (!session.startCast(names.data, LocalNow()))
        return SystemError("create", names.data);
    if (!csv.create(csvPath))
        return SystemError("create", csvPath);

    const std::size_t tickBytes = BytesPerTick(layout);
    StreamReader reader(stream.fd, tickBytes);
    for (std::span<const std::uint8_t> block;;) {
        if (!reader.next(block))
            return SystemError("read", streamPath);
        if (block.empty())
            break;
        for (std::size_t at = 0; at < block.size(); at += tickBytes) {
            session.tick(block.subspan(at, std::min(tickBytes, block.size() - at)));
            if (session.writeFailure())
                return WriteFailure(*session.writeFailure());
            if (csv.file().failure())
                return WriteFailure(*csv.file().failure());
        }
    }

    if (!csv.file().Close())
        return WriteFailure(*csv.file().failure());
    if (const std::optional<FileError> failure = session.EndCast({}, LocalNow()))
        return WriteFailure(*failure);
    return kExitOk;
}

} // namespace halcyx::cli
