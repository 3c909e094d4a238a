// The menu resources: their texts and commands as the operator's manual lists them, and
// fresh copies after a command was removed.
#include "app/Menus.h"

#include "app/Commands.h"

#include <gtest/gtest.h>
#include <string>

namespace halcyx {
namespace {

// "&File": "&Open" [220], -, ... in the manual's notation; popups nest in parentheses.
std::string describe(const std::vector<MenuItem>& items) {
    std::string text;
    for (const MenuItem& entry : items) {
        if (!text.empty())
            text += ", ";
        switch (entry.kind) {
        case MenuItem::Kind::Separator:
            text += "-";
            break;
        case MenuItem::Kind::Command:
            text += "\"" + entry.text + "\" [" + std::to_string(entry.command) + "]";
            break;
        case MenuItem::Kind::Popup:
            text += "\"" + entry.text + "\" (" + describe(entry.items) + ")";
            break;
        }
    }
    return text;
}

constexpr const char* kHelp = "\"&Help\" (\"&Contents\" [304], -, \"&About\" [305])";

TEST(Menus, ConfigurationMenu) {
    EXPECT_EQ(
        describe(menuResource(MenuId::Config)),
        std::string("\"&File\" (\"&Open\" [220], \"&Save\" [221], \"Print &Configuration\" [222], "
                    "-, \"&View Data File\" [223], -, \"&Properties\" [224], -, "
                    "\"&Acquisition\" [225], -, \"&Tow Acquisition\" [226], -, "
                    "\"&Module Acquisition\" [227], -, \"E&xit\" [24310]), "
                    "\"&Configure\" (\"Check &Instrument\" [230], "
                    "\"&Configure Instrument\" [231]), \"&Deploy\" [238], "
                    "\"&Run Instrument\" (\"&Continuous Data Mode\" [251]), "
                    "\"&Retrieve Data\" (\"&Retrieve Data\" [260]), "
                    "\"&Communications\" (\"&Communications Window\" [300], -, \"&Setup\" "
                    "[301]), ") +
            kHelp);
}

TEST(Menus, TowedAcquisitionMenuNestsItsGraphPopups) {
    EXPECT_EQ(
        describe(menuResource(MenuId::TowAcq)),
        std::string(
            "\"&File\" (\"Start &Logging\" [100], \"&End Logging\" [101], -, "
            "\"DC Ch&annel Setup\" [111], -, \"&Configuration\" [104], -, "
            "\"&Print Pressure Graphs...\" [106], \"Print Preview Pressure Graphs...\" [107], "
            "\"&Print Cast Graph\" [108], \"P&rint Preview\" [109], \"Printer Setu&p\" [110], "
            "-, \"E&xit\" [24310]), "
            "\"&Display\" (\"&Pressure Graphs\" (\"Pressure Graph &1\" [120], "
            "\"Pressure Graph &2\" [121], \"Pressure Graph &3\" [122], \"Pressure Graph &4\" "
            "[123]), \"&Cast Graph\" (\"&Enable\" [130], \"&Setup\" [131], \"&Zoom All\" [132], "
            "\"&Show Graph Coordinates\" [141]), -, \"&Listing\" [142]), "
            "\"&Communications\" (\"&Communications Window\" [300], -, \"&Port Setup\" [301], "
            "\"&Navigation Port Setup\" [303]), ") +
            kHelp);
}

TEST(Menus, TavrinCtMenuHasLabelsAndProperties) {
    const auto menu = menuResource(MenuId::AcqCT);
    EXPECT_EQ(describe(menu[0].items),
              "\"&Start Logging\" [100], \"&End Logging\" [101], -, \"Proper&ties\" [105], -, "
              "\"&Configuration\" [104], -, \"&Print\" [108], \"P&rint Preview\" [109], "
              "\"Printer Set&up\" [110], -, \"E&xit\" [24310]");
    EXPECT_EQ(describe(menu[1].items),
              "\"&Graph\" [130], \"Graph &Setup\" [131], \"Graph &Zoom All\" [132], "
              "\"&Labels\" (\"&Axis 1\" [133], \"A&xis 1 Enable\" [134], \"Ax&is 2\" [135], "
              "\"Axi&s 2 Enable\" [136], \"Axis &3\" [137], \"Axis 3 &Enable\" [138], "
              "\"Axis &4\" [139], \"Axis 4 E&nable\" [140]), \"&Show Graph Coordinates\" [141], "
              "-, \"&Listing\" [142]");
    EXPECT_EQ(menu[2].text, "&Communications");
    EXPECT_EQ(menu[2].items[2].text, "&Data Port Setup");
}

TEST(Menus, TavrinPMenuIsTheCtMenuWithoutPropertiesAndTheirSeparator) {
    auto ct = menuResource(MenuId::AcqCT);
    auto& file = ct[0].items;
    file.erase(file.begin() + 3, file.begin() + 5);
    EXPECT_EQ(ct, menuResource(MenuId::AcqP));
}

TEST(Menus, ProfileAndModuleMenus) {
    const auto acq = menuResource(MenuId::Acq);
    EXPECT_EQ(describe(acq[2].items), "\"&Home Sampler\" [240], -, \"&Fire Bottle\" [241], -, "
                                      "\"&Enable Sampler Interface\" [242]");
    EXPECT_EQ(describe(acq[0].items),
              "\"Start &Down Cast\" [100], \"&End Down Cast\" [101], -, \"Start &Up Cast\" "
              "[102], \"E&nd Up Cast\" [103], -, \"DC Ch&annel Setup\" [111], -, "
              "\"&Configuration\" [104], -, \"&Print\" [108], \"P&rint Preview\" [109], "
              "\"Printer Setu&p\" [110], -, \"E&xit\" [24310]");
    EXPECT_EQ(describe(acq[1].items), "\"&Graph\" [130], \"Graph &Setup\" [131], "
                                      "\"Graph &Zoom All\" [132], \"&Show Graph Coordinates\" "
                                      "[141], -, \"&Listing\" [142]");
    const auto mod = menuResource(MenuId::ModAcq);
    EXPECT_EQ(describe(mod[0].items),
              "\"&Select Module\" [114], -, \"Start &Logging\" [112], \"&End Logging\" [113], -, "
              "\"&Print Graph\" [108], \"P&rint Preview\" [109], \"Printer Setu&p\" [110], -, "
              "\"E&xit\" [24310]");
    EXPECT_EQ(describe(mod[1].items), "\"&Enable Graph\" [130], \"&Graph Setup\" [131], "
                                      "\"&Zoom All\" [132], -, \"&Listing\" [142]");
}

TEST(Menus, EveryMenuEndsWithHelpAndCanExit) {
    for (MenuId id : {MenuId::Config, MenuId::Acq, MenuId::AcqCT, MenuId::AcqP, MenuId::TowAcq,
                      MenuId::ModAcq}) {
        const auto menu = menuResource(id);
        EXPECT_EQ(describe({menu.back()}), kHelp) << menuName(id);
        EXPECT_NE(findCommand(menu, cmd::kExit), nullptr) << menuName(id);
    }
}

TEST(Menus, RemovingACommandLeavesTheNextCopyWhole) {
    auto menu = menuResource(MenuId::Config);
    ASSERT_TRUE(removeCommand(menu, cmd::kContinuousDataMode));
    EXPECT_EQ(findCommand(menu, cmd::kContinuousDataMode), nullptr);
    EXPECT_TRUE(menu[3].items.empty()) << "the popup itself stays";
    EXPECT_FALSE(removeCommand(menu, cmd::kContinuousDataMode));
    ASSERT_TRUE(removeCommand(menu, cmd::kDeploy)) << "top-level commands go too";

    const auto fresh = menuResource(MenuId::Config);
    EXPECT_NE(findCommand(fresh, cmd::kContinuousDataMode), nullptr);
    EXPECT_NE(findCommand(fresh, cmd::kDeploy), nullptr);
}

} // namespace
} // namespace halcyx
