#include "core/app/Menus.h"

#include "core/base/Commands.h"

#include <algorithm>

namespace halcyx {

namespace {

MenuItem item(const char* text, int command) {
    return {MenuItem::Kind::Command, text, command, {}};
}

MenuItem separator() {
    return {MenuItem::Kind::Separator, {}, 0, {}};
}

MenuItem popup(const char* text, std::vector<MenuItem> items) {
    return {MenuItem::Kind::Popup, text, 0, std::move(items)};
}

MenuItem helpPopup() {
    return popup("&Help",
                 {item("&Contents", cmd::kHelpContents), separator(), item("&About", cmd::kAbout)});
}

MenuItem communicationsPopup(const char* setupText, bool withNavigation) {
    std::vector<MenuItem> items{item("&Communications Window", cmd::kCommunicationsWindow),
                                separator(), item(setupText, cmd::kPortSetup)};
    if (withNavigation)
        items.push_back(item("&Navigation Port Setup", cmd::kNavigationPortSetup));
    return popup("&Communications", std::move(items));
}

// The print block that ends the File popups of the acquisition menus.
void appendPrintAndExit(std::vector<MenuItem>& file, const char* printText, const char* setupText) {
    file.push_back(item(printText, cmd::kPrint));
    file.push_back(item("P&rint Preview", cmd::kPrintPreview));
    file.push_back(item(setupText, cmd::kPrinterSetup));
    file.push_back(separator());
    file.push_back(item("E&xit", cmd::kExit));
}

std::vector<MenuItem> configMenu() {
    return {
        popup("&File", {item("&Open", cmd::kOpenConfig), item("&Save", cmd::kSaveConfig),
                        item("Print &Configuration", cmd::kPrintConfig), separator(),
                        item("&View Data File", cmd::kViewDataFile), separator(),
                        item("&Properties", cmd::kProperties), separator(),
                        item("&Acquisition", cmd::kAcquisition), separator(),
                        item("&Tow Acquisition", cmd::kTowAcquisition), separator(),
                        item("&Module Acquisition", cmd::kModuleAcquisition), separator(),
                        item("E&xit", cmd::kExit)}),
        popup("&Configure", {item("Check &Instrument", cmd::kCheckInstrument),
                             item("&Configure Instrument", cmd::kConfigureInstrument)}),
        item("&Deploy", cmd::kDeploy),
        popup("&Run Instrument", {item("&Continuous Data Mode", cmd::kContinuousDataMode)}),
        popup("&Retrieve Data", {item("&Retrieve Data", cmd::kRetrieveData)}),
        communicationsPopup("&Setup", false),
        helpPopup(),
    };
}

std::vector<MenuItem> acqMenu() {
    std::vector<MenuItem> file{item("Start &Down Cast", cmd::kStartCast),
                               item("&End Down Cast", cmd::kEndCast),
                               separator(),
                               item("Start &Up Cast", cmd::kStartUpCast),
                               item("E&nd Up Cast", cmd::kEndUpCast),
                               separator(),
                               item("DC Ch&annel Setup", cmd::kDcChannelSetup),
                               separator(),
                               item("&Configuration", cmd::kConfiguration),
                               separator()};
    appendPrintAndExit(file, "&Print", "Printer Setu&p");
    return {
        popup("&File", std::move(file)),
        popup("&Display", {item("&Graph", cmd::kGraph), item("Graph &Setup", cmd::kGraphSetup),
                           item("Graph &Zoom All", cmd::kGraphZoomAll),
                           item("&Show Graph Coordinates", cmd::kGraphCoordinates), separator(),
                           item("&Listing", cmd::kListing)}),
        popup("&Sampler", {item("&Home Sampler", cmd::kHomeSampler), separator(),
                           item("&Fire Bottle", cmd::kFireBottle), separator(),
                           item("&Enable Sampler Interface", cmd::kEnableSampler)}),
        communicationsPopup("&Port Setup", false),
        helpPopup(),
    };
}

// The Tavrin menus; only the Tavrin CT has the "ACQ Settings" properties.
std::vector<MenuItem> tavrinMenu(bool withProperties) {
    std::vector<MenuItem> file{item("&Start Logging", cmd::kStartCast),
                               item("&End Logging", cmd::kEndCast), separator()};
    if (withProperties) {
        file.push_back(item("Proper&ties", cmd::kAcqProperties));
        file.push_back(separator());
    }
    file.push_back(item("&Configuration", cmd::kConfiguration));
    file.push_back(separator());
    appendPrintAndExit(file, "&Print", "Printer Set&up");
    return {
        popup("&File", std::move(file)),
        popup("&Display", {item("&Graph", cmd::kGraph), item("Graph &Setup", cmd::kGraphSetup),
                           item("Graph &Zoom All", cmd::kGraphZoomAll),
                           popup("&Labels", {item("&Axis 1", cmd::kAxis1Label),
                                             item("A&xis 1 Enable", cmd::kAxis1Label + 1),
                                             item("Ax&is 2", cmd::kAxis1Label + 2),
                                             item("Axi&s 2 Enable", cmd::kAxis1Label + 3),
                                             item("Axis &3", cmd::kAxis1Label + 4),
                                             item("Axis 3 &Enable", cmd::kAxis1Label + 5),
                                             item("Axis &4", cmd::kAxis1Label + 6),
                                             item("Axis 4 E&nable", cmd::kAxis1Label + 7)}),
                           item("&Show Graph Coordinates", cmd::kGraphCoordinates), separator(),
                           item("&Listing", cmd::kListing)}),
        communicationsPopup("&Data Port Setup", false),
        helpPopup(),
    };
}

std::vector<MenuItem> towAcqMenu() {
    std::vector<MenuItem> file{
        item("Start &Logging", cmd::kStartCast),
        item("&End Logging", cmd::kEndCast),
        separator(),
        item("DC Ch&annel Setup", cmd::kDcChannelSetup),
        separator(),
        item("&Configuration", cmd::kConfiguration),
        separator(),
        item("&Print Pressure Graphs...", cmd::kPrintPressureGraphs),
        item("Print Preview Pressure Graphs...", cmd::kPreviewPressureGraphs)};
    appendPrintAndExit(file, "&Print Cast Graph", "Printer Setu&p");
    return {
        popup("&File", std::move(file)),
        popup("&Display",
              {popup("&Pressure Graphs", {item("Pressure Graph &1", cmd::kPressureGraph1),
                                          item("Pressure Graph &2", cmd::kPressureGraph1 + 1),
                                          item("Pressure Graph &3", cmd::kPressureGraph1 + 2),
                                          item("Pressure Graph &4", cmd::kPressureGraph1 + 3)}),
               popup("&Cast Graph", {item("&Enable", cmd::kGraph), item("&Setup", cmd::kGraphSetup),
                                     item("&Zoom All", cmd::kGraphZoomAll),
                                     item("&Show Graph Coordinates", cmd::kGraphCoordinates)}),
               separator(), item("&Listing", cmd::kListing)}),
        communicationsPopup("&Port Setup", true),
        helpPopup(),
    };
}

std::vector<MenuItem> modAcqMenu() {
    std::vector<MenuItem> file{item("&Select Module", cmd::kSelectModule), separator(),
                               item("Start &Logging", cmd::kModStartLogging),
                               item("&End Logging", cmd::kModEndLogging), separator()};
    appendPrintAndExit(file, "&Print Graph", "Printer Setu&p");
    return {
        popup("&File", std::move(file)),
        popup("&Display",
              {item("&Enable Graph", cmd::kGraph), item("&Graph Setup", cmd::kGraphSetup),
               item("&Zoom All", cmd::kGraphZoomAll), separator(),
               item("&Listing", cmd::kListing)}),
        communicationsPopup("&Port Setup", true),
        helpPopup(),
    };
}

} // namespace

std::vector<MenuItem> menuResource(MenuId id) {
    switch (id) {
    case MenuId::Config:
        return configMenu();
    case MenuId::Acq:
        return acqMenu();
    case MenuId::AcqCT:
        return tavrinMenu(true);
    case MenuId::AcqP:
        return tavrinMenu(false);
    case MenuId::TowAcq:
        return towAcqMenu();
    case MenuId::ModAcq:
        return modAcqMenu();
    }
    return {};
}

const char* menuName(MenuId id) {
    switch (id) {
    case MenuId::Config:
        return "CONFIG_MENU";
    case MenuId::Acq:
        return "ACQ_MENU";
    case MenuId::AcqCT:
        return "ACQ_CT_MENU";
    case MenuId::AcqP:
        return "ACQ_P_MENU";
    case MenuId::TowAcq:
        return "TOW_ACQ_MENU";
    case MenuId::ModAcq:
        return "MOD_ACQ_MENU";
    }
    return "";
}

bool removeCommand(std::vector<MenuItem>& menu, int command) {
    bool removed = false;
    for (MenuItem& entry : menu)
        if (entry.kind == MenuItem::Kind::Popup)
            removed = removeCommand(entry.items, command) || removed;
    const auto gone = std::erase_if(menu, [command](const MenuItem& entry) {
        return entry.kind == MenuItem::Kind::Command && entry.command == command;
    });
    return removed || gone > 0;
}

const MenuItem* findCommand(const std::vector<MenuItem>& menu, int command) {
    for (const MenuItem& entry : menu) {
        if (entry.kind == MenuItem::Kind::Command && entry.command == command)
            return &entry;
        if (entry.kind == MenuItem::Kind::Popup)
            if (const MenuItem* found = findCommand(entry.items, command))
                return found;
    }
    return nullptr;
}

} // namespace halcyx
