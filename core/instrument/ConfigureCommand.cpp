#include "core/instrument/ConfigureCommand.h"

#include "core/instrument/CommandLayer.h"
#include "core/instrument/Deployment.h"
#include "core/instrument/SettingsReader.h"
#include "core/instrument/SettingsWriter.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

namespace halcyx {

namespace {

template <class Record> void showClock(Record& record, const InstrumentSettings& settings) {
    record.instrumentTime = settings.instrumentTime.view();
    record.instrumentDate = settings.instrumentDate.view();
}

// The dialog shows the instrument's clock as last read.
void showClockInModelRecord(ProductCode product, InstrumentSettings& settings) {
    switch (product) {
    case ProductCode::Vexa2:
    case ProductCode::Vexa3:
        showClock(settings.vexa, settings);
        break;
    case ProductCode::TavrinCT:
        showClock(settings.ct, settings);
        break;
    case ProductCode::TavrinP:
        showClock(settings.p, settings);
        break;
    case ProductCode::None:
        break;
    }
}

} // namespace

bool runModelDialog(ConfigDialogRunner& dialogs, const InstrumentRecord& instrument,
                    InstrumentSettings& settings) {
    switch (instrument.product) {
    case ProductCode::Vexa2:
    case ProductCode::Vexa3:
        return dialogs.runVexa(settings.vexa, instrument.product == ProductCode::Vexa3,
                               instrument.averaging);
    case ProductCode::TavrinCT:
        return dialogs.runTavrinCT(settings.ct, instrument.averaging);
    case ProductCode::TavrinP:
        return dialogs.runTavrinP(settings.p, instrument.averaging);
    case ProductCode::None:
        break;
    }
    return false;
}

ConfigureOutcome configureInstrument(CommandLayer& layer, InstrumentRecord& instrument,
                                     InstrumentSettings& settings, ConfigDialogRunner& dialogs) {
    Operator& op = layer.op();
    if (!confirmStopDeployment(layer, instrument))
        return ConfigureOutcome::StillDeployed;
    if (!layer.EnsureOpen(kNotInOpenMode))
        return ConfigureOutcome::NotOpen;
    // A device that went away under a read closed the port: there is nothing to show.
    if (!instrument.settingsRead) {
        ReadSettings(layer, instrument, settings);
        if (!layer.port().isOpen())
            return ConfigureOutcome::NotOpen;
        instrument.settingsRead = true;
        instrument.saveEnable = true;
    }
    {
        const WaitCursor wait(op);
        ReadClock(layer, settings);
    }
    if (!layer.port().isOpen())
        return ConfigureOutcome::NotOpen;
    if (!isIdentified(instrument.product))
        return ConfigureOutcome::NoModel;

    showClockInModelRecord(instrument.product, settings);
    if (!runModelDialog(dialogs, instrument, settings))
        return ConfigureOutcome::Cancelled;
    if (isVexa(instrument.product)) {
        settings.samplingRateIndex =
            samplingRateIndexFromFlags(settings.vexa, settings.samplingRateIndex);
    }
    WriteSettings(layer, instrument, settings);
    return ConfigureOutcome::Written;
}

OpenOutcome openConfigurationCommand(CommandLayer& layer, ConfigurationState state,
                                     ConfigDialogRunner& dialogs) {
    const OpenOutcome outcome = OpenConfiguration(layer.op(), state);
    if (outcome != OpenOutcome::Loaded)
        return outcome;
    if (runModelDialog(dialogs, state.instrument, state.settings)) {
        acceptOpenedConfiguration(state);
        WriteSettings(layer, state.instrument, state.settings);
    }
    return outcome;
}

} // namespace halcyx
