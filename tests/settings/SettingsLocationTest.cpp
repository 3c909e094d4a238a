// Which settings file the program uses: the command line option, then HALCYX_SETTINGS, then
// the user's configuration folder; and that the option leaves other arguments alone.
#include "core/settings/SettingsLocation.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

using halcyx::chooseSettingsFile;

namespace {

// Sets or clears the variables the choice reads, and restores them afterwards.
class SettingsLocation : public testing::Test {
protected:
    void set(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        saved_.try_emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        value ? ::setenv(name.c_str(), value, 1) : ::unsetenv(name.c_str());
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(SettingsLocation, EachSourceWinsOverTheOnesBelowIt) {
    const struct {
        std::vector<std::string> args;
        const char* variable;
        const char* configHome;
        const char* expected; // nullptr: the option lacks its file, which is an error
    } cases[] = {
        {{"--settings", "/a.ini"}, "/b.ini", "/xdg", "/a.ini"},
        {{"--settings=/a.ini"}, "/b.ini", "/xdg", "/a.ini"},
        {{}, "/b.ini", "/xdg", "/b.ini"},
        {{}, nullptr, "/xdg", "/xdg/Halcyx/Halcyx.ini"},
        {{}, "", "/xdg", "/xdg/Halcyx/Halcyx.ini"},
        {{}, nullptr, nullptr, "/home/op/.config/Halcyx/Halcyx.ini"},
        {{}, nullptr, "", "/home/op/.config/Halcyx/Halcyx.ini"},
        {{}, nullptr, "relative", "/home/op/.config/Halcyx/Halcyx.ini"},
        // A slip must not quietly pick another file.
        {{"--settings"}, "/b.ini", "/xdg", nullptr},
        {{"--settings="}, "/b.ini", "/xdg", nullptr},
    };
    set("HOME", "/home/op");
    for (const auto& c : cases) {
        set("HALCYX_SETTINGS", c.variable);
        set("XDG_CONFIG_HOME", c.configHome);
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "-x");
        const auto choice = chooseSettingsFile(args);
        if (c.expected) {
            EXPECT_EQ(choice.file, c.expected);
        }
        EXPECT_EQ(choice.error.empty(), c.expected != nullptr) << choice.error;
        EXPECT_EQ(args, std::vector<std::string>{"-x"}) << "the option is taken out";
    }
}

TEST_F(SettingsLocation, OptionIsTakenOutOfArgvAndTheRestKeepsItsOrder) {
    std::string words[] = {"halcyx", "-style", "fusion", "--settings", "/s.ini", "demo"};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data(), words[3].data(),
                    words[4].data(), words[5].data(), nullptr};
    int argc = 6;
    EXPECT_EQ(chooseSettingsFile(argc, argv).file, "/s.ini");
    EXPECT_EQ(std::vector<std::string>(argv, argv + argc),
              (std::vector<std::string>{"halcyx", "-style", "fusion", "demo"}));
    EXPECT_EQ(argv[argc], nullptr);
}

} // namespace
