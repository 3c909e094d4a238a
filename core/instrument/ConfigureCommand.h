#pragma once

#include "core/instrument/ConfigFiles.h"
#include "core/instrument/ConfigRecords.h"
#include "core/instrument/InstrumentRecord.h"

namespace halcyx {

class CommandLayer;

// The model's configuration dialog as the configuration commands see it. Each run edits
// the record it is given: on "Save" the record holds the operator's entries, on "Cancel"
// it is left exactly as it was. The program shows the Qt dialogs; tests script the answers.
class ConfigDialogRunner {
public:
    virtual ~ConfigDialogRunner() = default;

    // True when the dialog closed with "Save".
    virtual bool runVexa(VexaConfigData& record, bool dc7And8Available,
                         bool averagingAvailable) = 0;
    virtual bool runTavrinCT(CTConfigData& record, bool averagingAvailable) = 0;
    virtual bool runTavrinP(PConfigData& record, bool averagingAvailable) = 0;
};

// Shows the dialog of the identified model on its record; false on "Cancel" and for an
// unidentified instrument, which has no dialog.
bool runModelDialog(ConfigDialogRunner& dialogs, const InstrumentRecord& instrument,
                    InstrumentSettings& settings);

enum class ConfigureOutcome {
    StillDeployed, // the operator chose to leave the deployment running
    NotOpen,       // the instrument would not come into open mode, or its device went away
    NoModel,       // no identified model, so no dialog after the clock was read
    Cancelled,     // the dialog closed with "Cancel"; nothing was sent
    Written,       // the dialog closed with "Save" and the settings were sent
};

// "&Configure Instrument": asks before disturbing a deployed instrument, brings it into
// open mode, reads its settings unless they were read since detection, reads its clock
// into the model's record, shows the model's dialog and, on "Save", takes the Vexa
// sampling rate from the dialog and writes every setting to the instrument.
ConfigureOutcome configureInstrument(CommandLayer& layer, InstrumentRecord& instrument,
                                     InstrumentSettings& settings, ConfigDialogRunner& dialogs);

// "&Open": loads a configuration file and shows its model's dialog with the file's values;
// "Save" there writes them to the instrument. Returns what the file open found; the
// settings are written only when it is Loaded and the dialog closed with "Save".
OpenOutcome openConfigurationCommand(CommandLayer& layer, ConfigurationState state,
                                     ConfigDialogRunner& dialogs);

} // namespace halcyx
