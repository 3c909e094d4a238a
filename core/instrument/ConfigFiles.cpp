#include "core/instrument/ConfigFiles.h"

#include "core/settings/IniFile.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace halcyx {

namespace {

constexpr std::string_view kFilter = "Config Files (*.CFG)|*.cfg|";
constexpr std::string_view kExtension = "CFG";

constexpr std::string_view kInstrumentSection = "INSTRUMENT";
constexpr std::string_view kAcChannelsSection = "AC_CHANNELS";
constexpr std::string_view kTavrinPChannelsSection = "CHANNELS";
constexpr std::string_view kDcChannelsSection = "DC_CHANNELS";
constexpr std::string_view kTimeSection = "TIME";
constexpr std::string_view kTauSection = "TAU";
constexpr std::string_view kDataOutputSection = "DATA_OUTPUT";
constexpr std::string_view kMemorySection = "MEMORY";
constexpr std::string_view kProductKey = "Product";

// Defaults of the keys a file lacks.
constexpr std::string_view kDefaultVexaModel = "Vexa";
constexpr std::string_view kDefaultTavrinCTModel = "Tavrin CT";
constexpr std::string_view kDefaultTavrinPModel = "Tavrin P";
constexpr std::string_view kDefaultSerialNumber = "0";
constexpr std::string_view kDefaultFirmware = "1.0";
constexpr std::string_view kDefaultCalDate = "10OCT97";
constexpr std::string_view kDefaultFileTime = "00:00:00";
constexpr std::string_view kDefaultFileDate = "10-23-1997";
constexpr std::string_view kDefaultAverage = "00:00";

// What a Tavrin without the averaging capability shows as its averaging.
constexpr std::string_view kAveragingOff = "OFF";

constexpr int kDcTerms = 5;          // coefficients A to E
constexpr std::size_t kKeySize = 32; // "DC%d.term%d" with any int

std::string indexedKey(const char* format, int n) {
    char key[kKeySize];
    std::snprintf(key, sizeof key, format, n);
    return key;
}

// "DC%d.Name" for term -1, "DC%d.term%d" for the coefficients: the keys that
// ReadDcChannelTexts reads back.
std::string dcTextKey(int channel, int term) {
    char key[kKeySize];
    if (term < 0) {
        std::snprintf(key, sizeof key, "DC%d.Name", channel + 1);
    } else {
        std::snprintf(key, sizeof key, "DC%d.term%d", channel + 1, term);
    }
    return key;
}

// The two directions of a layout, on a file read once. Each layout is listed once
// (visitVexa, visitTavrin) in the order its keys are saved; reading walks the same list
// with the defaults.
class LayoutReader {
public:
    explicit LayoutReader(const IniFile& profile) : profile_(profile) {}

    template <std::size_t Width>
    void text(std::string_view section, std::string_view key, FixedText<Width>& field,
              std::string_view def) {
        field = profile_.readString(section, key, def, Width);
    }
    void flag(std::string_view section, std::string_view key, std::uint16_t& field) {
        field = profile_.readInt(section, key, 0) != 0 ? 1 : 0;
    }
    // The product code was read first: it chose this layout.
    void product(ProductCode) {}
    void dcTexts(DCChannelTable& table) { readDcChannelTexts(profile_, table); }
    // An index outside the five rates clears every rate flag and keeps the index as it
    // was, so that no later use indexes past the rate table.
    void samplingRate(InstrumentSettings& settings) {
        const int index = profile_.readInt(kTauSection, "Tau", 0);
        settings.vexa.samplingRate.fill(0);
        if (index >= 0 && index < kSamplingRateCount) {
            settings.samplingRateIndex = index;
            settings.vexa.samplingRate[static_cast<std::size_t>(index)] = 1;
        }
    }

private:
    const IniFile& profile_;
};

class LayoutWriter {
public:
    explicit LayoutWriter(IniFile& profile) : profile_(profile) {}

    template <std::size_t Width>
    void text(std::string_view section, std::string_view key, const FixedText<Width>& field,
              std::string_view) {
        profile_.writeString(section, key, field.view());
    }
    void flag(std::string_view section, std::string_view key, std::uint16_t field) {
        profile_.writeString(section, key, std::to_string(field));
    }
    void product(ProductCode code) {
        profile_.writeString(kInstrumentSection, kProductKey,
                             std::to_string(static_cast<std::int32_t>(code)));
    }
    void dcTexts(const DCChannelTable& table) {
        for (int ch = 0; ch < DCChannelTable::kChannels; ++ch) {
            const auto& texts = table.texts(ch);
            profile_.writeString(kDcChannelsSection, dcTextKey(ch, -1), texts.name);
            for (int term = 0; term < kDcTerms; ++term) {
                profile_.writeString(kDcChannelsSection, dcTextKey(ch, term),
                                     texts.terms[static_cast<std::size_t>(term)]);
            }
        }
    }
    void samplingRate(const InstrumentSettings& settings) {
        profile_.writeString(kTauSection, "Tau", std::to_string(settings.samplingRateIndex));
    }

private:
    IniFile& profile_;
};

// The record of the Tavrin model named by the state's product code.
TavrinConfigData& tavrinRecord(const ConfigurationState& state) {
    if (state.instrument.product == ProductCode::TavrinP) {
        return state.settings.p;
    }
    return state.settings.ct;
}

template <class Io>
void visitIdentity(Io& io, InstrumentRecord& instrument, std::string_view defaultModel) {
    io.text(kInstrumentSection, "Model", instrument.model, defaultModel);
    io.text(kInstrumentSection, "SN", instrument.serialNumber, kDefaultSerialNumber);
    io.text(kInstrumentSection, "FWVer", instrument.firmware, kDefaultFirmware);
    io.text(kInstrumentSection, "CalDate", instrument.calDate, kDefaultCalDate);
    io.product(instrument.product);
}

template <class Io, class Record> void visitTiming(Io& io, Record& record) {
    io.text(kTimeSection, "ITime", record.intervalTime, kDefaultFileTime);
    io.text(kTimeSection, "OTime", record.onTime, kDefaultFileTime);
    io.text(kTimeSection, "DDate", record.delayedDate, kDefaultFileDate);
    io.text(kTimeSection, "DTime", record.delayedTime, kDefaultFileTime);
}

template <class Io, class Record, class Average>
void visitOutput(Io& io, Record& record, Average& average) {
    io.flag(kDataOutputSection, "scop", record.continuousOutput);
    io.flag(kDataOutputSection, "Scale", record.scaledOutput);
    io.text(kMemorySection, "AvgLen", average, kDefaultAverage);
}

template <class Io> void visitVexa(Io& io, const ConfigurationState& state) {
    VexaConfigData& vexa = state.settings.vexa;
    visitIdentity(io, state.instrument, kDefaultVexaModel);
    for (int n = 1; n <= kMaxPrimaryChannels; ++n) {
        io.flag(kAcChannelsSection, indexedKey("CH%d", n),
                vexa.channel[static_cast<std::size_t>(n - 1)]);
    }
    for (int n = 1; n <= kMaxDcChannels; ++n) {
        io.flag(kDcChannelsSection, indexedKey("DC%d", n),
                vexa.dcChannel[static_cast<std::size_t>(n - 1)]);
    }
    io.dcTexts(state.dcTable);
    visitTiming(io, vexa);
    io.samplingRate(state.settings);
    visitOutput(io, vexa, vexa.averageLength);
}

template <class Io> void visitTavrin(Io& io, const ConfigurationState& state) {
    const bool isP = state.instrument.product == ProductCode::TavrinP;
    TavrinConfigData& record = tavrinRecord(state);
    const std::string_view channelSection = isP ? kTavrinPChannelsSection : kAcChannelsSection;
    visitIdentity(io, state.instrument, isP ? kDefaultTavrinPModel : kDefaultTavrinCTModel);
    for (int n = 1; n <= TavrinConfigData::kChannels; ++n) {
        io.flag(channelSection, indexedKey("CH%d", n),
                record.channel[static_cast<std::size_t>(n - 1)]);
    }
    visitTiming(io, record);
    visitOutput(io, record, record.averageTime);
}

// Walks the layout of the state's product code; false for an unidentified one.
template <class Io> bool visitLayout(Io& io, const ConfigurationState& state) {
    if (isVexa(state.instrument.product)) {
        visitVexa(io, state);
        return true;
    }
    if (isTavrin(state.instrument.product)) {
        visitTavrin(io, state);
        return true;
    }
    return false;
}

// The last clock reading goes into the record the model's dialog shows.
template <class Record> void copyClock(Record& record, const InstrumentSettings& settings) {
    record.instrumentTime = settings.instrumentTime.view();
    record.instrumentDate = settings.instrumentDate.view();
}

std::optional<std::filesystem::path> chooseFile(Operator& op, bool save) {
    auto chosen = op.chooseFile(configFileRequest(save));
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(*chosen);
}

} // namespace

FileRequest configFileRequest(bool save) {
    FileRequest request;
    request.save = save;
    request.filter = kFilter;
    request.defaultExtension = kExtension;
    request.mustExist = !save;
    request.confirmOverwrite = save;
    return request;
}

OpenOutcome OpenConfiguration(Operator& op, ConfigurationState state) {
    const auto file = chooseFile(op, false);
    return file ? loadConfiguration(*file, state) : OpenOutcome::Cancelled;
}

OpenOutcome loadConfiguration(const std::filesystem::path& file, ConfigurationState state) {
    const IniFile profile(file);
    InstrumentRecord& instrument = state.instrument;
    instrument.product = productFromNumber(profile.readInt(kInstrumentSection, kProductKey, 0));

    LayoutReader reader(profile);
    if (!visitLayout(reader, state)) {
        return OpenOutcome::UnknownProduct;
    }
    if (isVexa(instrument.product)) {
        copyClock(state.settings.vexa, state.settings);
        return OpenOutcome::Loaded;
    }
    TavrinConfigData& record = tavrinRecord(state);
    copyClock(record, state.settings);
    if (!instrument.averaging) {
        record.averageTime = kAveragingOff;
    }
    return OpenOutcome::Loaded;
}

int samplingRateIndexFromFlags(const VexaConfigData& vexa, int current) {
    for (int i = 0; i < kSamplingRateCount; ++i) {
        if (vexa.samplingRate[static_cast<std::size_t>(i)] != 0) {
            return i;
        }
    }
    return current;
}

void acceptOpenedConfiguration(ConfigurationState state) {
    state.instrument.settingsRead = true;
    state.instrument.saveEnable = true;
    if (isVexa(state.instrument.product)) {
        state.settings.samplingRateIndex =
            samplingRateIndexFromFlags(state.settings.vexa, state.settings.samplingRateIndex);
    }
}

bool writeConfiguration(const std::filesystem::path& file, const ConfigurationState& state) {
    if (!isIdentified(state.instrument.product)) {
        return false;
    }
    // As a private-profile writer does, the layout's keys replace their values in the
    // existing file, whose other lines (a note, another section) stay where they are; the
    // merged file then replaces the old one at once, so a failed save leaves it intact.
    IniFile profile(file);
    LayoutWriter writer(profile);
    visitLayout(writer, state);
    return profile.save();
}

bool SaveConfiguration(Operator& op, ConfigurationState state) {
    const auto file = chooseFile(op, true);
    if (!file || !isIdentified(state.instrument.product)) {
        return false;
    }
    if (!writeConfiguration(*file, state)) {
        op.message("Unable to write the configuration file " + file->string(), "CONFIG FILE ERROR",
                   Icon::Stop);
        return false;
    }
    if (isVexa(state.instrument.product)) {
        state.instrument.saveEnable = false;
    }
    return true;
}

bool LoadDcCoefficients(Operator& op, DCChannelTable& table) {
    const auto file = chooseFile(op, false);
    if (!file) {
        return false;
    }
    readDcCoefficients(*file, table);
    return true;
}

void readDcCoefficients(const std::filesystem::path& file, DCChannelTable& table) {
    readDcChannelTexts(IniFile(file), table);
    table.refreshNumeric();
}

} // namespace halcyx
