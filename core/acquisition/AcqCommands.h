#pragma once

#include "core/base/Commands.h"

#include <optional>

namespace halcyx {

// What the acquisition window's menu commands are enabled and checked by.
struct AcqCommandContext {
    bool logging = false;
    bool downCast = true; // direction of the current cast
    bool towed = false;
    bool samplerEnabled = false;
    bool graphVisible = true;
    bool listingVisible = false;
};

// How one of the acquisition window's own commands looks now: casts start only while none
// is logged and end only in their own direction, the port setups wait for the cast's end,
// the pressure graphs are set up in towed mode (during a cast too), the sampler commands
// need the sampler interface (profile mode only), and the display toggles carry check marks.
// nullopt for commands the window does not carry out itself.
std::optional<CommandState> acqCommandState(int command, const AcqCommandContext& context);

} // namespace halcyx
