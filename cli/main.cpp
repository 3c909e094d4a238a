// halcyx-cli: the data path of the acquisition window on the command line.

#include "cli/Arguments.h"
#include "cli/Commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kHelp =
    "Usage: halcyx-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  seawater   derived seawater quantities of one sample\n"
    "  replay     turn a captured scan stream into cast files and a CSV table\n"
    "  decode     turn a saved memory dump into the data file of a download\n"
#ifdef HALCYX_CLI_GRAPH
    "  graph      draw the profile graph of a cast data file as PDF or PNG\n"
#endif
    "\n"
    "'halcyx-cli COMMAND --help' describes a command.\n";

} // namespace

int main(int argc, char** argv) {
    using namespace halcyx::cli;
    if (argc < 2) {
        std::cerr << kHelp;
        return kExitUsage;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (IsHelp(command)) {
        std::cout << kHelp;
        return kExitOk;
    }
    if (command == "seawater")
        return SeawaterCommand(args);
    if (command == "replay")
        return ReplayCommand(args);
    if (command == "decode")
        return DecodeCommand(args);
#ifdef HALCYX_CLI_GRAPH
    if (command == "graph")
        return GraphCommand(args);
#endif
    std::cerr << "halcyx-cli: unknown command '" << command << "'\n" << kHelp;
    return kExitUsage;
}
