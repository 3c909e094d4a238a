#pragma once

#include "core/instrument/ConfigRecords.h"
#include "core/instrument/DcChannelTable.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/prompt/Operator.h"

#include <filesystem>
#include <optional>

namespace halcyx {

// Configuration files (*.CFG): one instrument's identity and settings, and the names and
// coefficients of the Vexa DC channels, as a private-profile file that any INI reader
// can open. The layout depends on the product code stored in the file: Vexa 2 and 3
// share one, Tavrin CT and Tavrin P have their own (the P keeps its channel flags under
// CHANNELS). Keys that are missing give their defaults; no message is shown for a file of
// another layout or a damaged one.

// What the configuration window hands to the file commands.
struct ConfigurationState {
    InstrumentRecord& instrument; // product code, identity texts, save-enable flag
    InstrumentSettings& settings; // the per-model records and the sampling-rate index
    DCChannelTable& dcTable;
};

// The file dialog of every configuration file command.
FileRequest configFileRequest(bool save);

enum class OpenOutcome {
    Cancelled,      // no file chosen; nothing changed
    UnknownProduct, // the file names no known model; the product code is None now
    Loaded,         // the model's record holds the file; show the model's dialog
};

// "&Open": chooses a file and loads it (loadConfiguration).
OpenOutcome OpenConfiguration(Operator& op, ConfigurationState state);
// Makes the file's product code the window's, whatever instrument is attached, and reads
// that model's layout into the identity texts, the model's record and (Vexa) the DC texts
// and sampling rate; then copies the last clock reading into the record and, for a
// Tavrin without averaging, shows the averaging as "OFF".
OpenOutcome loadConfiguration(const std::filesystem::path& file, ConfigurationState state);
// The model's dialog closed with "Save" after an open: the settings count as read and may
// be saved again, and a Vexa takes its sampling-rate index from the dialog's rate flags.
// The window then writes the settings to the instrument.
void acceptOpenedConfiguration(ConfigurationState state);
// The sampling-rate index of the first checked rate flag; current when none is checked.
int samplingRateIndexFromFlags(const VexaConfigData& vexa, int current);

// "&Save": chooses a file and writes the current model's layout to it. After a Vexa save
// the save-enable flag is cleared; a Tavrin save leaves it set. False when cancelled, for
// an unidentified instrument, or when the file could not be written (then the operator
// is told and the flag is left as it was).
bool SaveConfiguration(Operator& op, ConfigurationState state);
// Writes the current model's layout into the file: its keys in their fixed order in a new
// file, or in place in an existing one, whose other lines stay as they are. The file is
// read once and replaced at once. False when the model is unidentified (nothing written)
// or the file could not be written.
[[nodiscard]] bool writeConfiguration(const std::filesystem::path& file,
                                      const ConfigurationState& state);

// "Load From File" of the DC channel dialog and the memory retrieve dialog: chooses a file
// and loads only its DC channel names and coefficients. False when cancelled.
bool LoadDcCoefficients(Operator& op, DCChannelTable& table);
// Reads the DC names and terms into the texts and refreshes the numeric copy from them.
void readDcCoefficients(const std::filesystem::path& file, DCChannelTable& table);

} // namespace halcyx
