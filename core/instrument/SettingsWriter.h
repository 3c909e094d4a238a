#pragma once

namespace halcyx {

class CommandLayer;
struct InstrumentRecord;
struct InstrumentSettings;

// Sends the attached model's record to the instrument, one checked command at a time,
// and ends with "***E", which makes the instrument keep them. Rebuilds the channel mask
// from the channel flags sent. Stops at the first command refused or left unanswered;
// if that happens while the channels are being set, the channel mask becomes 0, since
// the instrument's channels are then only partly what the record says, and the next
// acquisition reads them back from the instrument instead of trusting a guess.
void WriteSettings(CommandLayer& layer, const InstrumentRecord& record,
                   InstrumentSettings& settings);

} // namespace halcyx
