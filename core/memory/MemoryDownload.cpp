#include "core/memory/MemoryDownload.h"

#include "core/acquisition/RecordFile.h"
#include "core/instrument/Answer.h"
#include "core/instrument/CommandLayer.h"
#include "core/instrument/ConfigFiles.h"
#include "core/instrument/Format.h"
#include "core/memory/DumpReader.h"
#include "core/memory/MemoryDecoder.h"
#include "core/memory/RawDumpFile.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <cstring>
#include <filesystem>

namespace halcyx {

namespace {

constexpr std::uint32_t kRangeQueryPauseMs = 200;
constexpr std::size_t kRangeAnswerBytes = 30;
constexpr std::size_t kScanCountChars = 9;
constexpr ChannelMask kDcChannelBits = 0xFFu << kFirstDcBit; // DC1 to DC8

long loggedScans(long totalBytes, int bytesPerScan) {
    return bytesPerScan > 0 ? totalBytes / bytesPerScan : 0;
}

} // namespace

MemoryDownload::MemoryDownload(CommandLayer& layer, const DownloadRequest& request,
                               DCChannelTable& dcTable, CastInfo& castInfo,
                               DeploymentInfo& deployment, EditDeployment editDeployment,
                               LocalTime localTime)
    : layer_(layer), request_(request), dcTable_(dcTable), castInfo_(castInfo),
      deployment_(deployment), editDeployment_(std::move(editDeployment)),
      localTime_(std::move(localTime)),
      format_(
          memoryFormatFor(request.product, request.scaledMemory).value_or(MemoryFormat::VexaFloat)),
      totalBytes_(request.totalBytes),
      scansShown_(scansToDecode(format_, loggedScans(request.totalBytes, request.bytesPerScan))) {}

void MemoryDownload::setUp() {
    layer_.purgeReceive();
}

bool MemoryDownload::dcChannelsEnabled() const {
    return isVexa(request_.product) && mask::has(request_.channelMask, kDcChannelBits);
}

void MemoryDownload::changeScans() {
    Operator& op = layer_.op();
    if (!op.askYesNo("Changing the number of scans can cause problems with your data file.\nAre "
                     "you sure you want to change the number of scans?",
                     "Change Scans", Icon::Question))
        return;
    const auto entry = op.input("Change Scans to Read", "Enter the number of scans to read:", "0",
                                kScanCountChars);
    const long scans = entry ? leadingNumber(*entry) : 0;
    if (scans <= 0)
        return;
    totalBytes_ = scans * request_.bytesPerScan;
    scansShown_ = scans;
}

void MemoryDownload::loadDcChannels() {
    if (LoadDcCoefficients(layer_.op(), dcTable_))
        dcLoaded_ = true;
}

MemoryDownload::Result MemoryDownload::download(const std::string& fileName) {
    Operator& op = layer_.op();
    if (dcChannelsEnabled() && !dcLoaded_ &&
        op.askYesNo("The Vexa DC channels are on.\nYou should select a CFG file to get the DC "
                    "channel coefficients.\nWould you like to open a CFG file?",
                    "DC Coefficients", Icon::Question))
        loadDcChannels();
    if (format_ == MemoryFormat::VexaScaled && !readPressureDivisor())
        return Result::Stayed;
    const WaitCursor wait(op);
    if (!chooseFiles(fileName))
        return Result::Stayed;
    const std::tm now = localTime_();
    prepareCastInfo(castInfo_, files_, now);
    return fetch(now);
}

bool MemoryDownload::readPressureDivisor() {
    layer_.purgeReceive();
    layer_.write("A1003\r");
    layer_.port().Sleep(kRangeQueryPauseMs);
    const std::string answer = layer_.readAnswer(kRangeAnswerBytes);
    const std::optional<int> divisor = pressureDivisorFromAnswer(answer);
    if (!divisor) {
        layer_.op().message("Error determining A1003 for transducer pressure range.",
                            "A1003 Command Error", Icon::Stop);
        return false;
    }
    pressureDivisor_ = *divisor;
    return true;
}

bool MemoryDownload::chooseFiles(const std::string& fileName) {
    Operator& op = layer_.op();
    if (fileName.empty()) {
        op.message("Please enter a filename to store the data.", "No Filename", Icon::None);
        return false;
    }
    files_ = castFileNamesFor(replaceExtension(fileName, "Dat"));
    std::error_code error;
    return !std::filesystem::exists(files_.data, error) ||
           op.askYesNo("Do you want to overwrite?", "File Exists", Icon::Question);
}

MemoryDownload::Result MemoryDownload::fetch(const std::tm& now) {
    Operator& op = layer_.op();
    RecordFile data;
    RawDumpFile raw;
    if (!data.create(files_.data) || !raw.create(replaceExtension(files_.data, "bin"))) {
        op.message("Failed to open the output data file", "File Open Error", Icon::Stop);
        return Result::Stayed;
    }
    if (format_ == MemoryFormat::TavrinP) {
        prepareDeploymentInfo(deployment_, now, request_.serialNumber);
        if (editDeployment_)
            editDeployment_(deployment_);
        writeLines(data, formatDeploymentHeader(deployment_, request_.channelMask));
    }

    const MemoryLayout layout{format_, request_.channelMask, request_.bytesPerScan,
                              pressureDivisor_};
    RecordFileSink sink(data);
    MemoryDecoder decoder(
        layout, scansToDecode(format_, loggedScans(totalBytes_, request_.bytesPerScan)), sink);
    DumpReader reader(layer_, format_, totalBytes_, request_.bytesPerScan);
    reader.requestFirstChunk();
    DumpReader::Result result;
    {
        ProgressBox box(op);
        box.line1(formatText("Downloading Memory to file: %s", files_.data.c_str()));
        result = reader.readChunks(box, [&](std::span<const std::uint8_t> bytes) {
            raw.write(bytes);
            decoder.feed(bytes);
        });
    }

    const bool dataWritten = data.Close();
    const bool rawWritten = raw.close();
    if (!dataWritten || !rawWritten) {
        const FileError failure =
            dataWritten ? FileError{raw.path(), raw.error()} : *data.failure();
        op.message("Failed to write " + failure.path + ": " + std::strerror(failure.error),
                   "File Write Error", Icon::Stop);
        return Result::Stopped;
    }
    if (result.end == DumpReader::End::Complete) {
        op.message("Binary Memory Dump Complete", "Download", Icon::None);
        return Result::Completed;
    }
    if (result.end == DumpReader::End::TimedOut) {
        op.message(isTavrin(format_) ? std::string("Timeout Error, No data received")
                                     : formatText("Timeout Error:\nExpected Bytes: %ld\nReceived "
                                                  "Bytes: %ld",
                                                  result.expectedBytes, result.chunkBytes),
                   "No Data", Icon::Stop);
    }
    // The port has reported a device that went away.
    op.message(formatText("%ld scans were saved in %s.\nThe bytes as received are in %s.",
                          decoder.scansWritten(), files_.data.c_str(), raw.path().c_str()),
               "Download", Icon::Information);
    return Result::Stopped;
}

} // namespace halcyx
