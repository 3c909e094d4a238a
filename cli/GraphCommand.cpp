// halcyx-cli graph: the profile graph of a cast data file as a PDF page or a PNG picture.

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "core/acquisition/ScanDecoder.h"
#include "core/graphs/ProfileSettings.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsLocation.h"
#include "gui/graphs/GraphicsDlg.h"
#include "gui/plot/ProfileGraphPainter.h"
#include "gui/printing/GraphPrintout.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <fstream>
#include <iostream>

namespace halcyx::cli {
namespace {

constexpr const char* kCommand = "graph";

constexpr const char* kHelp =
    "Usage: halcyx-cli graph --model vexa2|vexa3|ct|p --mask HEX [--cfg FILE.CFG]\n"
    "                        [--settings FILE] [--landscape] [--width PX] [--height PX]\n"
    "                        CAST.DAT OUT.pdf|OUT.png\n"
    "\n"
    "Draws the profile graph of a cast data file as the acquisition window shows it,\n"
    "with the graph settings (title, axes, parameters, ranges, grid) of the settings\n"
    "file, and writes it as a printed page (OUT.pdf, A4) or a picture (OUT.png).\n"
    "\n"
    "  --model M       instrument model: vexa2, vexa3, ct (Tavrin CT) or p (Tavrin P)\n"
    "  --mask HEX      channel mask the cast was recorded with, e.g. 0x7 or 30F\n"
    "  --cfg FILE.CFG  DC channel names and coefficients of a Vexa\n"
    "  --settings FILE the settings file (default: $HALCYX_SETTINGS, then\n"
    "                  $XDG_CONFIG_HOME/Halcyx/Halcyx.ini)\n"
    "  --landscape     a landscape page (PDF)\n"
    "  --width PX      width of the graph window the cast is drawn for (default 1024)\n"
    "  --height PX     its height (default 768)\n";

constexpr int kDefaultWidth = 1024, kDefaultHeight = 768; // [pixels]
constexpr int kMinSide = 100, kMaxSide = 20000;           // [pixels]
constexpr int kPdfResolution = 1200;                      // [dots per inch]
constexpr double kPageMargin = 10;                        // [mm]

bool endsWith(std::string text, std::string_view suffix) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text.ends_with(suffix);
}

std::optional<int> side(const std::optional<double>& value, int fallback) {
    if (!value)
        return fallback;
    if (*value < kMinSide || *value > kMaxSide || *value != static_cast<int>(*value))
        return std::nullopt;
    return static_cast<int>(*value);
}

// The toolkit's drawing needs an application object; the command never needs a display.
struct DrawingApp {
    char name[sizeof "halcyx-cli"] = "halcyx-cli";
    char option[sizeof "-platform"] = "-platform";
    char platform[sizeof "offscreen"] = "offscreen";
    char* argv[4] = {name, option, platform, nullptr};
    int argc = 3;
    QGuiApplication app{argc, argv};
};

bool writePdf(const ProfileGraph& graph, const std::string& path, bool landscape) {
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(kPageMargin, kPageMargin, kPageMargin, kPageMargin), QPageLayout::Millimeter));
    writer.setTitle(QString::fromStdString(graph.title()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const GraphPrintout page({}, std::make_unique<ProfileGraphPainter>(graph), CastInfo());
    page.drawPage(painter, QRect(0, 0, writer.width(), writer.height()));
    return painter.end();
}

bool writePng(ProfileGraph& graph, const std::string& path) {
    QImage image(graph.client().width(), graph.client().height(), QImage::Format_RGB32);
    graph.rebuildCurves();
    {
        QPainter painter(&image);
        ProfileGraphPainter(graph).draw(painter, image.rect());
    }
    return image.save(QString::fromStdString(path), "PNG");
}

} // namespace

int GraphCommand(const std::vector<std::string>& args) {
    if (AnswerHelp(args, kHelp))
        return kExitOk;
    std::vector<std::string> rest = args;
    const SettingsChoice settingsFile = chooseSettingsFile(rest);
    if (!settingsFile.error.empty())
        return UsageError(kCommand, settingsFile.error);
    OptionReader options(kCommand, rest);
    const std::optional<std::string> model = options.Take("--model");
    const std::optional<std::string> maskText = options.Take("--mask");
    const std::optional<std::string> cfgPath = options.Take("--cfg");
    const bool landscape = options.TakeFlag("--landscape");
    const std::optional<int> width = side(options.TakeNumber("--width"), kDefaultWidth);
    const std::optional<int> height = side(options.TakeNumber("--height"), kDefaultHeight);
    const std::vector<std::string> operands = options.Operands();
    if (!options.error().empty())
        return UsageError(kCommand, options.error());

    ProductCode product = ProductCode::None;
    ChannelMask channelMask = 0;
    if (const std::string error = CheckModelAndMask(model, maskText, product, channelMask);
        !error.empty())
        return UsageError(kCommand, error);
    if (!width || !height)
        return UsageError(kCommand, "--width and --height must be whole numbers from 100 to 20000");
    const ScanLayout layout = *modelTraits(product).layout;
    if (cfgPath && layout != ScanLayout::Vexa)
        return UsageError(kCommand, "--cfg applies to the Vexa models only");
    if (operands.size() != 2)
        return UsageError(kCommand, "expected CAST.DAT and OUT.pdf or OUT.png, got " +
                                        std::to_string(operands.size()) + " operands");
    const std::string& castPath = operands[0];
    const std::string& outPath = operands[1];
    const bool pdf = endsWith(outPath, ".pdf");
    if (!pdf && !endsWith(outPath, ".png"))
        return UsageError(kCommand, "the output must be a .pdf or a .png file");

    DCChannelTable dcTable;
    if (cfgPath)
        if (const int exit = ReadDcChannelOption(kCommand, *cfgPath, dcTable); exit != kExitOk)
            return exit;
    std::ifstream cast(castPath, std::ios::binary);
    if (!cast)
        return ReportFileFailure(kCommand, "read", castPath, errno);

    ScanDecoder decoder(layout, channelMask, dcTable);
    ProfileGraph graph;
    graph.setClient({0, 0, *width, *height});
    graph.setExtensionStep(layout == ScanLayout::Vexa ? ProfileGraph::kVexaExtension
                                                      : ProfileGraph::kTavrinExtension);
    const ChannelList& channels = decoder.channels();
    applyGraphSettings(
        graph,
        readProfileGraphSettings(Profile(settingsFile.file), static_cast<int>(channels.size()) - 1),
        channels);
    int scans = 0;
    for (std::string line; std::getline(cast, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        decoder.Decode(line, scans++);
        (void)graph.addScan(decoder.record().values, decoder.valueCount()); // no window to draw on
    }
    if (cast.bad())
        return ReportFileFailure(kCommand, "read", castPath, errno);

    DrawingApp drawing;
    if (!(pdf ? writePdf(graph, outPath, landscape) : writePng(graph, outPath))) {
        std::cerr << "halcyx-cli " << kCommand << ": cannot write " << outPath << "\n";
        return kExitFailure;
    }
    std::cout << scans << " scans drawn into " << outPath << "\n";
    return kExitOk;
}

} // namespace halcyx::cli
