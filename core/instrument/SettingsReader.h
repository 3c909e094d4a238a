#pragma once

namespace halcyx {

class CommandLayer;
struct InstrumentRecord;
struct InstrumentSettings;

// Asks the instrument, one command at a time, for its channels, timing, delayed start,
// sampling rate, output format, averaging and power-up output, in one fixed order (the
// delayed date and time come from one interactive command). Fills the model's channel
// flags, the timing and output fields of all three records, the channel mask and the
// sampling-rate index. A query without answer is skipped; the sequence runs to its end
// once the instrument is in open mode.
void ReadSettings(CommandLayer& layer, const InstrumentRecord& record,
                  InstrumentSettings& settings);

// Reads the instrument's clock into settings.instrumentTime and instrumentDate. A failed
// read is reported and keeps the earlier text.
void ReadClock(CommandLayer& layer, InstrumentSettings& settings);

} // namespace halcyx
