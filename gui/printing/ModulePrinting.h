#pragma once

namespace halcyx {

class ModAcqWnd;
class Operator;

// Gives the module window its print, print preview and printer setup commands, on a
// printer of its own: the module graph with the logging information of the last log.
void installModulePrinting(ModAcqWnd& window, Operator& op);

} // namespace halcyx
