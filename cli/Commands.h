#pragma once

#include <string>
#include <vector>

namespace halcyx::cli {

// Each subcommand takes the arguments after its name and returns the exit code.
int SeawaterCommand(const std::vector<std::string>& args);
int ReplayCommand(const std::vector<std::string>& args);
int DecodeCommand(const std::vector<std::string>& args);
// Built with the Qt program (HALCYX_CLI_GRAPH): the profile graph of a cast file.
int GraphCommand(const std::vector<std::string>& args);

} // namespace halcyx::cli
