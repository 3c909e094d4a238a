#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace halcyx {

// Where the settings file lives. The file is not created here: the first written key
// creates it, together with its folder.
//
// In order of precedence: the command line option "--settings FILE" (or
// "--settings=FILE"), the environment variable HALCYX_SETTINGS, then
// $XDG_CONFIG_HOME/Halcyx/Halcyx.ini, or ~/.config/Halcyx/Halcyx.ini when XDG_CONFIG_HOME
// is unset, empty or not an absolute path.
struct SettingsChoice {
    std::filesystem::path file;
    // Set when the option came without a file name; the caller tells the user and stops
    // rather than quietly using another file.
    std::string error;
};

// Takes the option out of the arguments that follow the program name; all other
// arguments stay, in their order.
SettingsChoice chooseSettingsFile(std::vector<std::string>& args);
// The same on main's arguments (argv[0] is the program and is never taken), compacting
// argv so that it can be handed on to the toolkit.
SettingsChoice chooseSettingsFile(int& argc, char** argv);

// The file chosen by the environment alone.
std::filesystem::path defaultSettingsFile();

} // namespace halcyx
