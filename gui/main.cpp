#include "core/serial/PosixSerialDevice.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsLocation.h"
#include "gui/app/VeltroApp.h"
#include "gui/app/Version.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: halcyx [--settings FILE] [Qt options]\n"
    "\n"
    "Configures CTD instruments on a serial port, runs profile and towed casts,\n"
    "and logs sensor modules.\n"
    "\n"
    "Options:\n"
    "  --settings FILE  keep the program's settings in FILE (also HALCYX_SETTINGS);\n"
    "                   by default $XDG_CONFIG_HOME/Halcyx/Halcyx.ini\n"
    "  --help           show this text and stop\n"
    "  --version        show the version and stop\n";

bool hasOption(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (hasOption(argc, argv, "--help") || hasOption(argc, argv, "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (hasOption(argc, argv, "--version")) {
        std::printf("halcyx %s\n", halcyx::kVersion);
        return 0;
    }
    const halcyx::SettingsChoice settingsFile = halcyx::chooseSettingsFile(argc, argv);
    if (!settingsFile.error.empty()) {
        std::fprintf(stderr, "halcyx: %s\n", settingsFile.error.c_str());
        return kExitUsage;
    }

    QApplication qapp(argc, argv);
    // Whatever the toolkit did not take is not ours either.
    if (argc > 1) {
        std::fprintf(stderr, "halcyx: unknown argument '%s' (see --help)\n", argv[1]);
        return kExitUsage;
    }
    QApplication::setApplicationName(QStringLiteral("Halcyx"));
    QApplication::setApplicationVersion(QString::fromLatin1(halcyx::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("halcyx"));

    halcyx::Profile settings(settingsFile.file);
    halcyx::VeltroApp app({settings,
                           nullptr,
                           nullptr,
                           [] { return std::make_unique<halcyx::PosixSerialDevice>(); },
                           {}});
    app.show();
    return qapp.exec();
}
