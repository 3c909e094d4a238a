// The menu resources: their texts and commands as the operator's manual lists them, and
// fresh copies after a command was removed.
#include "core/app/Menus.h"

#include "core/base/Commands.h"

#include <gtest/gtest.h>
#include <string>

namespace halcyx {
namespace {

// "&File": "&Open" [220], -, ... in the manual's notation; popups nest in parentheses.
std::string describe(const std::vector<MenuItem>& items) {
    std::string text;
    for (const MenuItem& entry : items) {
        text += text.empty() ? "" : ", ";
        if (entry.kind == MenuItem::Kind::Separator)
            text += "-";
        else if (entry.kind == MenuItem::Kind::Command)
            text += "\"" + entry.text + "\" [" + std::to_string(entry.command) + "]";
        else
            text += "\"" + entry.text + "\" (" + describe(entry.items) + ")";
    }
    return text;
}

TEST(Menus, ConfigurationMenu) {
    EXPECT_EQ(describe(menuResource(MenuId::Config)),
              "\"&File\" (\"&Open\" [220], \"&Save\" [221], \"Print &Configuration\" [222], "
              "-, \"&View Data File\" [223], -, \"&Properties\" [224], -, "
              "\"&Acquisition\" [225], -, \"&Tow Acquisition\" [226], -, "
              "\"&Module Acquisition\" [227], -, \"E&xit\" [24310]), "
              "\"&Configure\" (\"Check &Instrument\" [230], "
              "\"&Configure Instrument\" [231]), \"&Deploy\" [238], "
              "\"&Run Instrument\" (\"&Continuous Data Mode\" [251]), "
              "\"&Retrieve Data\" (\"&Retrieve Data\" [260]), "
              "\"&Communications\" (\"&Communications Window\" [300], -, \"&Setup\" [301]), "
              "\"&Help\" (\"&Contents\" [304], -, \"&About\" [305])");
}

TEST(Menus, TavrinPMenuIsTheCtMenuWithoutPropertiesAndTheirSeparator) {
    auto ct = menuResource(MenuId::AcqCT);
    auto& file = ct[0].items;
    file.erase(file.begin() + 3, file.begin() + 5);
    EXPECT_EQ(ct, menuResource(MenuId::AcqP));
}

TEST(Menus, RemovingACommandLeavesThePopupAndTheNextCopyWhole) {
    auto menu = menuResource(MenuId::Config);
    ASSERT_TRUE(removeCommand(menu, cmd::kContinuousDataMode));
    EXPECT_EQ(findCommand(menu, cmd::kContinuousDataMode), nullptr);
    EXPECT_TRUE(menu[3].items.empty()) << "the popup itself stays";
    EXPECT_FALSE(removeCommand(menu, cmd::kContinuousDataMode));
    ASSERT_TRUE(removeCommand(menu, cmd::kDeploy)) << "top-level commands go too";
    EXPECT_NE(findCommand(menuResource(MenuId::Config), cmd::kDeploy), nullptr);
}

} // namespace
} // namespace halcyx
