// Which settings file the program uses: the command line option, then HALCYX_SETTINGS, then
// the user's configuration folder; and that the option leaves other arguments alone.
#include "settings/SettingsLocation.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using halcyx::chooseSettingsFile;

namespace {

// Sets or clears environment variables for one test and restores them afterwards.
class Environment : public testing::Test {
protected:
    void set(const char* name, const char* value) {
        remember(name);
        if (value == nullptr)
            ::unsetenv(name);
        else
            ::setenv(name, value, 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

private:
    void remember(const char* name) {
        for (const auto& entry : saved_)
            if (entry.first == name)
                return;
        const char* value = std::getenv(name);
        saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(Environment, EachSourceWinsOverTheOnesBelowIt) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* variable;
        const char* configHome;
        const char* expected;
    };
    const Case cases[] = {
        {"option", {"--settings", "/a.ini"}, "/b.ini", "/xdg", "/a.ini"},
        {"option with =", {"--settings=/a.ini"}, "/b.ini", "/xdg", "/a.ini"},
        {"variable", {}, "/b.ini", "/xdg", "/b.ini"},
        {"config home", {}, nullptr, "/xdg", "/xdg/Halcyx/Halcyx.ini"},
        {"empty variable", {}, "", "/xdg", "/xdg/Halcyx/Halcyx.ini"},
        {"no config home", {}, nullptr, nullptr, "/home/op/.config/Halcyx/Halcyx.ini"},
        {"empty config home", {}, nullptr, "", "/home/op/.config/Halcyx/Halcyx.ini"},
        {"relative config home", {}, nullptr, "rel", "/home/op/.config/Halcyx/Halcyx.ini"},
    };
    set("HOME", "/home/op");
    for (const Case& c : cases) {
        set("HALCYX_SETTINGS", c.variable);
        set("XDG_CONFIG_HOME", c.configHome);
        std::vector<std::string> args = c.args;
        const auto choice = chooseSettingsFile(args);
        EXPECT_EQ(choice.file, c.expected) << c.name;
        EXPECT_TRUE(choice.error.empty()) << c.name;
        EXPECT_TRUE(args.empty()) << c.name << ": the option is taken out";
    }
}

TEST_F(Environment, OptionIsTakenOutOfArgvAndTheRestKeepsItsOrder) {
    set("HALCYX_SETTINGS", nullptr);
    std::string words[] = {"halcyx", "-style", "fusion", "--settings", "/s.ini", "demo"};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data(), words[3].data(),
                    words[4].data(), words[5].data(), nullptr};
    int argc = 6;
    EXPECT_EQ(chooseSettingsFile(argc, argv).file, "/s.ini");
    ASSERT_EQ(argc, 4);
    EXPECT_STREQ(argv[0], "halcyx");
    EXPECT_STREQ(argv[1], "-style");
    EXPECT_STREQ(argv[2], "fusion");
    EXPECT_STREQ(argv[3], "demo");
    EXPECT_EQ(argv[4], nullptr);

    std::vector<std::string> args = {"-x", "--settings=/t.ini", "--settings", "/u.ini"};
    EXPECT_EQ(chooseSettingsFile(args).file, "/t.ini") << "the first option counts";
    EXPECT_EQ(args, (std::vector<std::string>{"-x", "--settings", "/u.ini"}));
}

TEST_F(Environment, OptionWithoutAFileIsAnError) {
    set("HALCYX_SETTINGS", "/b.ini");
    for (std::vector<std::string> args :
         {std::vector<std::string>{"--settings"}, std::vector<std::string>{"--settings="}}) {
        const auto choice = chooseSettingsFile(args);
        EXPECT_FALSE(choice.error.empty()) << "a typo must not quietly pick another file";
        EXPECT_EQ(choice.file, "/b.ini");
    }
    std::string words[] = {"halcyx", "--settings"};
    char* argv[] = {words[0].data(), words[1].data(), nullptr};
    int argc = 2;
    EXPECT_FALSE(chooseSettingsFile(argc, argv).error.empty());
    EXPECT_EQ(argc, 1);
}

} // namespace
