#include "core/memory/RetrieveData.h"

#include "core/acquisition/ChannelList.h"
#include "core/instrument/Answer.h"
#include "core/instrument/CommandLayer.h"
#include "core/instrument/ConfigFiles.h"
#include "core/instrument/Deployment.h"
#include "core/instrument/Format.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/instrument/SettingsReader.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace halcyx {

namespace {

// Answer sizes [bytes].
constexpr std::size_t kClogAnswerBytes = 30;
constexpr std::size_t kRdmAnswerBytes = 300;
constexpr std::size_t kPointerAnswerBytes = 100;
constexpr std::size_t kPointerChars = 20;       // of the RDPTR answer, line ends left out
constexpr std::size_t kScanCountChars = 19;     // the operator's count of scans
constexpr std::uint32_t kPointerResetMs = 1500; // RHPTR and RLPTR answer slowly

void stop(Operator& op, const char* text, const char* caption) {
    op.message(text, caption, Icon::Stop);
}

// One step in the progress box: its title and command, and the command's answer.
std::string step(CommandLayer& layer, ProgressBox& box, const char* title, const char* command,
                 std::size_t maxBytes, std::uint32_t pauseMs) {
    box.line1(title);
    box.line2(command);
    return layer.exchange(command, maxBytes, pauseMs);
}

// The logged bytes, from the instrument or, when it reports none, from the operator's count
// of scans. nullopt when there is nothing to read.
std::optional<long> readLoggedBytes(CommandLayer& layer, ProgressBox& box, int bytesPerScan) {
    Operator& op = layer.op();
    const std::string answer = step(layer, box, "Read Pointer Position", "RDPTR",
                                    kPointerAnswerBytes, layer.delays().responseMs);
    if (answer.empty()) {
        stop(op, "Error reading Software Pointer", "RDPTR Command Error");
        return std::nullopt;
    }
    const long logged = loggedBytesFromRdptr(answer);
    if (logged / bytesPerScan > 0)
        return logged;
    // Nothing logged in whole scans: the operator may know better.
    const auto entry = op.input("Software Pointer Error", "Enter the number of scans to read:", "0",
                                kScanCountChars);
    const long scans = entry ? leadingNumber(*entry) : 0;
    if (scans <= 0) {
        stop(op, "Cannot read any memory locations", "Software Pointer Error");
        return std::nullopt;
    }
    return scans * bytesPerScan;
}

// Steps before the dialog: logging off, the bytes per scan, the logged bytes, the read
// pointer back at the first scan. nullopt, with the failure reported, when one failed.
std::optional<DownloadRequest> readMemoryInventory(CommandLayer& layer,
                                                   const RetrieveState& state) {
    Operator& op = layer.op();
    const ProductCode product = state.instrument.product;
    ProgressBox box(op);
    box.line1("Reading Memory Settings");
    layer.pauseResponse();
    layer.purgeReceive();
    if (!contains(step(layer, box, "Turn OFF Data Logging", "CLOG", kClogAnswerBytes,
                       layer.delays().responseMs),
                  "cleared")) {
        stop(op, "Error turning OFF memory logging", "CLOG Command Error");
        return std::nullopt;
    }

    const std::optional<int> bytesPerScan =
        bytesPerScanFromRdm(step(layer, box, "Read Number of Bytes/Scan", "RDM", kRdmAnswerBytes,
                                 2 * layer.delays().responseMs),
                            product);
    if (!bytesPerScan) {
        stop(op, "Error reading Bytes/Scan", "RDM Command Error");
        return std::nullopt;
    }
    // Scans shorter than their channels cannot be taken apart: say so rather than decode
    // every scan from the wrong bytes.
    const MemoryLayout layout{*memoryFormatFor(product, state.instrument.scaledMemory),
                              state.settings.channelMask, *bytesPerScan, 1};
    if (const int needed = fieldBytes(layout); *bytesPerScan < needed) {
        op.message(formatText("The instrument logs %d bytes per scan, but its channels need "
                              "%d.\nThe memory cannot be decoded.",
                              *bytesPerScan, needed),
                   "RDM Command Error", Icon::Stop);
        return std::nullopt;
    }

    const std::optional<long> totalBytes = readLoggedBytes(layer, box, *bytesPerScan);
    if (!totalBytes)
        return std::nullopt;

    const bool vexa = isVexa(product);
    if (!contains(step(layer, box, "Reset Hardware Pointer Position", vexa ? "RHPTR" : "RLPTR",
                       kPointerAnswerBytes, kPointerResetMs),
                  vexa ? "Hardware Pointer Reset" : "Logged Pointer Reset")) {
        stop(op, "Error Reseting Pointer", vexa ? "RHPTR Command Error" : "RLPTR Command Error");
        return std::nullopt;
    }
    return DownloadRequest{product,
                           state.settings.channelMask,
                           *bytesPerScan,
                           *totalBytes,
                           state.instrument.scaledMemory,
                           std::string(state.instrument.serialNumber.view())};
}

// The sampling rate checked in the Vexa's record, if any.
std::optional<int> checkedRate(const InstrumentSettings& settings) {
    constexpr int kNone = -1;
    const int index = samplingRateIndexFromFlags(settings.vexa, kNone);
    return index == kNone ? std::nullopt : std::optional<int>(index);
}

} // namespace

std::optional<int> bytesPerScanFromRdm(std::string_view answer, ProductCode product) {
    if (!isIdentified(product))
        return std::nullopt;
    const std::string_view marker = product == ProductCode::Vexa2   ? "DC6="
                                    : product == ProductCode::Vexa3 ? "DC8="
                                                                    : "CH3=";
    const std::size_t at = answer.find(marker);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::size_t separator =
        answer.find_first_of(isVexa(product) ? ",\r" : " \r", at + marker.size());
    if (separator == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = answer.substr(separator + 1);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    const int bytes = leadingNumber(rest);
    if (bytes <= 0)
        return std::nullopt;
    return bytes;
}

long loggedBytesFromRdptr(std::string_view answer) {
    std::string digits;
    for (char c : answer)
        if (c != '\r' && c != '\n' && c != ' ' && digits.size() < kPointerChars)
            digits += c;
    long bytes = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), bytes);
    return std::max(0L, bytes);
}

RetrieveOutcome RetrieveData(CommandLayer& layer, RetrieveState state,
                             DownloadDialogRunner& dialogs, MemoryDownload::LocalTime localTime) {
    if (!startMemoryCommand(layer, state.instrument))
        return RetrieveOutcome::NotStarted;
    Operator& op = layer.op();
    std::optional<DownloadRequest> request;
    {
        const WaitCursor wait(op);
        if (state.settings.channelMask == 0)
            ReadSettings(layer, state.instrument, state.settings);
        request = readMemoryInventory(layer, state);
    }
    if (!request)
        return RetrieveOutcome::Failed;

    MemoryDownload download(
        layer, *request, state.dcTable, state.castInfo, state.deployment,
        [&dialogs](DeploymentInfo& info) { dialogs.editDeploymentInfo(info); }, localTime);
    if (!dialogs.runDownload(download))
        return RetrieveOutcome::Cancelled;
    if (request->product == ProductCode::TavrinP)
        return RetrieveOutcome::Downloaded;

    const WaitCursor wait(op);
    const DownloadSummary summary{*modelTraits(request->product).layout,
                                  request->channelMask,
                                  request->bytesPerScan,
                                  request->serialNumber,
                                  isVexa(request->product) ? checkedRate(state.settings)
                                                           : std::nullopt,
                                  download.totalBytes() / request->bytesPerScan};
    if (const std::optional<FileError> failure = writeDownloadFiles(
            state.castInfo, summary, buildDcConversions(state.dcTable), localTime(),
            [&dialogs](CastInfo& info) { dialogs.editCastInfo(info); })) {
        op.message("Failed to write " + failure->path + ": " + std::strerror(failure->error),
                   "File Write Error", Icon::Stop);
        return RetrieveOutcome::Failed;
    }
    return RetrieveOutcome::Downloaded;
}

} // namespace halcyx
