#pragma once

#include "core/acquisition/ChannelList.h"
#include "core/acquisition/FieldReader.h"
#include "core/acquisition/ScanRecord.h"
#include "core/base/ModelTraits.h"
#include "core/instrument/DcChannelTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace halcyx {

// The three readouts that show a field's text as received.
enum class Readout { Conductivity, Temperature, Pressure };
inline constexpr std::size_t kReadouts = 3;

// Turns one scan line into the scan record: the measured values the channel mask
// selects, the DC channels through their polynomials and the derived seawater quantities.
// It keeps the record between lines (values a line does not carry stay as they were), the
// channel list and the DC conversions, and the text of the readout fields of the last line.
class ScanDecoder {
public:
    static constexpr float kDefaultConstantPressure = 1.0f;  // [dbar]
    static constexpr float kDefaultConstantLatitude = 45.0f; // [deg]

    // Builds the channel list and the DC conversions from the table's texts.
    ScanDecoder(ScanLayout layout, std::uint32_t channelMask, const DCChannelTable& dcTable);

    ScanLayout layout() const { return layout_; }
    std::uint32_t channelMask() const { return channelMask_; }
    const ChannelList& channels() const { return channels_; }
    const DcConversions& dcConversions() const { return dc_; }
    // After the DC channel dialog: new coefficients for the channels that are on.
    void reconvertDcCoefficients(const DCChannelTable& dcTable);

    // Pressure [dbar] used in place of a measured one (Tavrin CT) and latitude [deg] for
    // depth (all models).
    void setConstants(float pressure, float latitude);
    float constantPressure() const { return constantPressure_; }
    float constantLatitude() const { return constantLatitude_; }

    // Decodes the line into record(), with scanNumber at index 0.
    void Decode(std::string_view line, int scanNumber);
    const ScanRecord& record() const { return record_; }
    // How many leading record values the layout fills.
    std::size_t valueCount() const;
    // The text of a readout's field in the last line; nullopt when the line had none.
    std::optional<std::string_view> readout(Readout which) const;

private:
    // The fields a Vexa line carries, in field order, worked out once from the channel mask
    // so that decoding a line tests no mask bits: the readout fields (conductivity,
    // temperature, pressure) come first, then the time, then the instrument's salinity and
    // sound velocity, then the DC channels.
    struct VexaPlan {
        struct Shown {
            std::size_t index;
            Readout readout;
        };
        std::array<Shown, kReadouts> shown{};
        std::size_t shownCount = 0;
        bool time = false;
        std::array<std::size_t, 2> plain{};
        std::size_t plainCount = 0;
        std::array<int, DCChannelTable::kChannels> dc{}; // channel from 0
        std::size_t dcCount = 0;
    };
    static VexaPlan planVexa(std::uint32_t channelMask);

    void DecodeVexa(std::string_view line);
    void DecodeTavrinCT(std::string_view line);
    void DecodeTavrinP(std::string_view line);
    // Stores the field's number at index and its text for the readout.
    void TakeShown(FieldReader::Field field, std::size_t index, Readout shown);
    // The six derived quantities from conductivity, temperature [degC] and pressure
    // [dbar], stored from record index first on.
    void derive(std::size_t first, float conductivity, float temperature, float pressure);

    ScanLayout layout_;
    std::uint32_t channelMask_;
    DcConversions dc_;
    ChannelList channels_;
    VexaPlan vexaPlan_;
    float constantPressure_ = kDefaultConstantPressure;
    float constantLatitude_ = kDefaultConstantLatitude;
    ScanRecord record_;

    struct ReadoutText {
        std::array<char, FieldReader::kMaxFieldChars> chars{};
        std::size_t size = 0;
        bool present = false;
    };
    std::array<ReadoutText, kReadouts> readouts_{};
};

} // namespace halcyx
