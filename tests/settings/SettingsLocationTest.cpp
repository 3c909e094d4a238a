// Which settings file the program uses: the command line option, then HALCYX_SETTINGS, then
// the user's configuration folder; and that the option leaves other arguments alone.
#include "settings/SettingsLocation.h"

#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using halcyx::chooseSettingsFile;

namespace {

// Sets or clears the variables the choice reads, and restores them afterwards.
class SettingsLocation : public testing::Test {
protected:
    void set(const char* name, const char* value) {
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    void TearDown() override {
        for (std::size_t i = 0; i < kNames.size(); ++i)
            set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }

private:
    static constexpr std::array<const char*, 3> kNames{"HOME", "HALCYX_SETTINGS",
                                                       "XDG_CONFIG_HOME"};
    std::array<std::optional<std::string>, 3> saved_ = [] {
        std::array<std::optional<std::string>, 3> values;
        for (std::size_t i = 0; i < kNames.size(); ++i)
            if (const char* value = std::getenv(kNames[i]))
                values[i] = value;
        return values;
    }();
};

TEST_F(SettingsLocation, EachSourceWinsOverTheOnesBelowIt) {
    const struct {
        std::vector<std::string> args;
        const char* variable;
        const char* configHome;
        const char* expected;
    } cases[] = {
        {{"--settings", "/a.ini"}, "/b.ini", "/xdg", "/a.ini"},
        {{"--settings=/a.ini"}, "/b.ini", "/xdg", "/a.ini"},
        {{}, "/b.ini", "/xdg", "/b.ini"},
        {{}, nullptr, "/xdg", "/xdg/Halcyx/Halcyx.ini"},
        {{}, "", "/xdg", "/xdg/Halcyx/Halcyx.ini"},
        {{}, nullptr, nullptr, "/home/op/.config/Halcyx/Halcyx.ini"},
        {{}, nullptr, "", "/home/op/.config/Halcyx/Halcyx.ini"},
        {{}, nullptr, "relative", "/home/op/.config/Halcyx/Halcyx.ini"},
    };
    set("HOME", "/home/op");
    for (const auto& c : cases) {
        set("HALCYX_SETTINGS", c.variable);
        set("XDG_CONFIG_HOME", c.configHome);
        std::vector<std::string> args = c.args;
        const auto choice = chooseSettingsFile(args);
        EXPECT_EQ(choice.file, c.expected);
        EXPECT_EQ(choice.error, "");
        EXPECT_TRUE(args.empty()) << "the option is taken out";
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

TEST_F(SettingsLocation, OptionWithoutAFileIsAnError) {
    set("HALCYX_SETTINGS", "/b.ini");
    for (const char* option : {"--settings", "--settings="}) {
        std::vector<std::string> args{"-x", option};
        const auto choice = chooseSettingsFile(args);
        EXPECT_NE(choice.error, "") << "a slip must not quietly pick another file";
        EXPECT_EQ(args, std::vector<std::string>{"-x"});
    }
}

} // namespace
