// The printouts rendered to PDF pages (their texts and where they stand on the page), the
// print commands with their question and dialogs, and the preview frame.
#include "core/graphs/PresGraph.h"
#include "core/graphs/ProfileGraph.h"
#include "core/module/ModGraphData.h"
#include "gui/plot/ModGraphPainter.h"
#include "gui/plot/PresGraphPainter.h"
#include "gui/plot/ProfileGraphPainter.h"
#include "gui/printing/ConfigPrintout.h"
#include "gui/printing/GraphPrintout.h"
#include "gui/printing/PreviewFrame.h"
#include "gui/printing/PrintCommands.h"
#include "gui/printing/PrintPGraphDlg.h"
#include "gui/printing/WindowPrinter.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolBar>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace halcyx {
namespace {

// A word of a PDF page and where it stands [fractions of the page: left, top, right].
struct Word {
    QString text;
    double left = 0, top = 0, right = 0;
};

QString runTool(const QString& command) {
    QString out;
    if (FILE* pipe = ::popen(command.toLocal8Bit().constData(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out += QString::fromUtf8(buffer, static_cast<qsizetype>(n));
        ::pclose(pipe);
    }
    return out;
}

// What poppler reads from a PDF file: its page count, its text and its words.
struct PdfPages {
    int pages = 0;
    QString text;
    std::vector<Word> words;

    explicit PdfPages(const QString& path) {
        const QString quoted = "'" + path + "'";
        const auto count = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                               .match(runTool("pdfinfo " + quoted));
        pages = count.hasMatch() ? count.captured(1).toInt() : 0;
        text = runTool("pdftotext -layout " + quoted + " -");
        const QString box = runTool("pdftotext -bbox " + quoted + " -");
        const auto size =
            QRegularExpression(QStringLiteral("width=\"([\\d.]+)\" height=\"([\\d.]+)\""))
                .match(box);
        if (!size.hasMatch())
            return;
        const double width = size.captured(1).toDouble(), height = size.captured(2).toDouble();
        const QRegularExpression word(QStringLiteral(
            "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)<"));
        for (auto it = word.globalMatch(box); it.hasNext();) {
            const auto m = it.next();
            words.push_back({m.captured(4), m.captured(1).toDouble() / width,
                             m.captured(2).toDouble() / height, m.captured(3).toDouble() / width});
        }
    }

    // The first run of words that reads `text`, as one word from the left of its first to
    // the right of its last; a failure and a word far off the page when there is none.
    Word word(const QString& text) const {
        const QStringList parts = text.split(' ');
        for (std::size_t i = 0; i + parts.size() <= words.size(); ++i) {
            bool same = true;
            for (qsizetype k = 0; k < parts.size() && same; ++k)
                same = words[i + static_cast<std::size_t>(k)].text == parts[k];
            if (same)
                return {text, words[i].left, words[i].top,
                        words[i + static_cast<std::size_t>(parts.size()) - 1].right};
        }
        ADD_FAILURE() << "no words " << text.toStdString();
        return {text, -9, -9, -9};
    }
};

// Fractions of the page agree within the height of a line of small print.
constexpr double kNear = 0.012;

// When HALCYX_SCREENSHOTS is set, the PDF's page as PNG there.
void pageScreenshot(const QString& pdf, const QString& name) {
    const QString folder = qEnvironmentVariable("HALCYX_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    runTool(QStringLiteral("pdftoppm -png -r 60 -singlefile '%1' '%2'")
                .arg(pdf, QDir(folder).filePath(name)));
}

CastInfo sampleInfo() {
    CastInfo info;
    info.dataFile = "/home/operator/casts/2026/december/station-14/cast0014.DAT";
    info.calibrationFile = "cast0014.C00";
    info.observations = "600";
    info.frameLength = "44";
    info.parameters = "6";
    info.date = "12-06-2026";
    info.startTime = "09:15:02";
    info.startLatitude = "44 30.125 N";
    info.startLongitude = "63 30.500 W";
    info.endTime = "09:17:16";
    info.endLatitude = "44 30.301 N";
    info.endLongitude = "63 30.212 W";
    info.scanRate = "4.50 Hz";
    return info;
}

class PrintingTest : public test::GuiTest {
protected:
    PrintingTest() {
        graph.setClient({0, 0, 640, 480});
        graph.setTitle("CTD Data");
        graph.setVerticalLabel("Depth");
        graph.setAxisChannel(ProfileGraph::kVerticalAxis, 3);
        graph.setAxisChannel(0, 1);
        graph.setHorizontalLabel(0, "Conductivity");
        graph.setHorizontalRange(0, {0, 70});
        graph.setVerticalRange({0, 600});
        for (int i = 1; i < kHorizontalAxes; ++i)
            graph.setEnabled(i, false);
        for (int scan = 0; scan < 600; ++scan) {
            const auto depth = static_cast<float>(scan);
            (void)graph.addPoint(depth, {30 + 10 * std::sin(depth / 50), 0, 0, 0});
        }
    }

    // The printer of a window, writing PDF pages of the given orientation without margins
    // into the test's folder.
    std::unique_ptr<WindowPrinter> pdfPrinter(const QString& name,
                                              QPageLayout::Orientation orientation,
                                              QWidget* parent = nullptr) {
        auto printer = std::make_unique<WindowPrinter>(op, parent);
        QPrinter& target = printer->printer();
        target.setOutputFormat(QPrinter::PdfFormat);
        target.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF()));
        target.setOutputFileName(pdfPath(name));
        return printer;
    }
    QString pdfPath(const QString& name) const {
        return QString::fromStdString((folder / (name.toStdString() + ".pdf")).string());
    }
    // Prints the page straight to its PDF file and reads it back.
    PdfPages printed(const Printout& printout, const QString& name,
                     QPageLayout::Orientation orientation = QPageLayout::Portrait) {
        EXPECT_TRUE(pdfPrinter(name, orientation)->printPage(printout));
        pageScreenshot(pdfPath(name), name);
        return PdfPages(pdfPath(name));
    }

    test::TempFolder folder;
    test::ScriptedOperator op;
    ProfileGraph graph;
};

TEST_F(PrintingTest, CastGraphPageCarriesTheInformationOnlyWhenAsked) {
    GraphPrintout alone(QStringLiteral("Print ACQ Graph"),
                        std::make_unique<ProfileGraphPainter>(graph), sampleInfo());
    const PdfPages plain = printed(alone, QStringLiteral("GraphPrintout-plain"));
    EXPECT_EQ(plain.pages, 1);
    EXPECT_FALSE(plain.text.contains("Cast Information"));
    EXPECT_FALSE(plain.text.contains("Brinemark"));
    const Word title = plain.word("CTD Data");
    EXPECT_GT(title.top, 0.1);
    EXPECT_LT(title.top, 0.13) << "the title heads the graph's rectangle from 0.1 H";

    struct Case {
        QPageLayout::Orientation orientation;
        const char* name;
        double headingX, letterheadX, letterheadY, labelRight, valueLeft;
    };
    for (const Case& c :
         {Case{QPageLayout::Portrait, "GraphPrintout-portrait", 0.2, 0.6, 0.1, 0.28, 0.3},
          Case{QPageLayout::Landscape, "GraphPrintout-landscape", 0.24, 0.1, 0.7, 0.23, 0.25}}) {
        SCOPED_TRACE(c.name);
        GraphPrintout page(QStringLiteral("Print ACQ Graph"),
                           std::make_unique<ProfileGraphPainter>(graph), sampleInfo());
        page.setPrintCastInfo(true);
        const PdfPages pdf = printed(page, QString::fromLatin1(c.name), c.orientation);
        EXPECT_EQ(pdf.pages, 1);
        for (const char* text :
             {"Raw Data Filename:", "Calibration Filename:", "Frame Length:", "Start Long:",
              "End Long.:", "Scan Rate:", "cast0014.C00", "4.50 Hz", "Fenwick Harbour"})
            EXPECT_TRUE(pdf.text.contains(QString::fromLatin1(text))) << text;
        EXPECT_NEAR(pdf.word("Cast Information").left, c.headingX, kNear);
        EXPECT_NEAR(pdf.word("Cast Information").top, 0.1, kNear);
        EXPECT_NEAR(pdf.word("Brinemark").left, c.letterheadX, kNear);
        EXPECT_NEAR(pdf.word("Brinemark").top, c.letterheadY, kNear);
        EXPECT_NEAR(pdf.word("Scans:").right, c.labelRight, kNear);
        EXPECT_NEAR(pdf.word("600").left, c.valueLeft, kNear);
        // The long data path is shortened at its start and keeps the file's name.
        EXPECT_TRUE(pdf.text.contains("cast0014.DAT"));
        EXPECT_FALSE(pdf.text.contains("/home/operator"));
        if (c.orientation == QPageLayout::Portrait)
            EXPECT_GT(pdf.word("CTD Data").top, pdf.word("Scan Rate:").top)
                << "graph under the rows";
        else
            EXPECT_NEAR((pdf.word("CTD Data").left + pdf.word("CTD Data").right) / 2, 0.625, 0.01)
                << "title centred over the graph from 0.35 W to 0.9 W";
    }
}

TEST_F(PrintingTest, PressurePageHasTitleLetterheadAndTenDivisions) {
    PresGraph pressure(2);
    pressure.setColourName("Temperature");
    for (int i = 0; i < 400; ++i) {
        pressure.addSample(static_cast<float>(150 + 100 * std::sin(i / 30.0)),
                           static_cast<float>(i % 300));
        pressure.addPosition(4430.125 + i * 0.01, 'N', 6330.5, 'W');
    }
    const PressureGraphPrintout page(pressure.title(), pressure.colourName(),
                                     std::make_unique<PresGraphPainter>(pressure), sampleInfo());
    const PdfPages pdf = printed(page, QStringLiteral("PressureGraphPrintout"));
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.text.contains("Pressure Graph 2, Pressure vs. Temperature"));
    EXPECT_TRUE(pdf.text.contains("Cast Information"));
    for (const char* label : {"0.0", "30.0", "150.0", "270.0", "300.0"})
        EXPECT_TRUE(pdf.text.contains(QString::fromLatin1(label))) << label;
    EXPECT_NEAR(pdf.word("Pressure Graph 2,").left, 0.15, kNear);
    EXPECT_NEAR(pdf.word("Brinemark").left, 0.6, kNear);
}

TEST_F(PrintingTest, ModulePageWithAndWithoutLoggingInformation) {
    ModGraphData module;
    module.setCaption("Temperature (Celsius ITS-90)");
    module.setRange(0, 20);
    for (int i = 0; i < 300; ++i) {
        module.addValue(static_cast<float>(10 + 5 * std::sin(i / 25.0)));
        module.addPosition(4430.0f + i * 0.01f, 'N', 6315.0f, 'W');
    }
    for (const bool info : {false, true}) {
        ModGraphPrintout page(QStringLiteral("Halcyx Module Print"),
                              std::make_unique<ModGraphPainter>(module, true), sampleInfo());
        page.setPrintCastInfo(info);
        const PdfPages pdf = printed(page, info ? QStringLiteral("ModGraphPrintout-info")
                                                : QStringLiteral("ModGraphPrintout"));
        EXPECT_EQ(pdf.pages, 1);
        EXPECT_EQ(pdf.text.contains("Logging Information"), info);
        EXPECT_EQ(pdf.text.contains("Halcyx Module Print"), info);
        EXPECT_TRUE(pdf.text.contains("18.0000")) << "ten divisions of 0 to 20";
        if (!info)
            continue;
        EXPECT_NEAR(pdf.word("Logging").left, 0.18, kNear);
        EXPECT_NEAR(pdf.word("Log Filename:").right, 0.2, kNear);
        EXPECT_NEAR(pdf.word("Halcyx Module Print").left, 0.15, kNear);
        EXPECT_FALSE(pdf.text.contains("Calibration Filename:"));
    }
}

TEST_F(PrintingTest, ConfigurationSheetsOnTheirPage) {
    InstrumentRecord record;
    record.product = ProductCode::Vexa3;
    record.serialNumber = "3001";
    record.settingsRead = true;
    InstrumentSettings settings;
    settings.vexa.channel = {1, 1, 1, 1, 1, 1};
    settings.vexa.dcChannel = {1, 1, 1, 1, 1, 1, 1, 1};
    const DCChannelTable dc;
    const PdfPages vexa = printed(VexaPrintout(record, settings.vexa, dc), "VexaPrintout");
    EXPECT_TRUE(vexa.text.contains("Serial Number: 3001"));
    EXPECT_TRUE(vexa.text.contains("DC8: ON"));
    EXPECT_EQ(vexa.pages, 2) << "eight DC channels carry the sheet onto a second page";
    EXPECT_NEAR(vexa.word("Halcyx").left, 0.10, kNear);
    EXPECT_NEAR(vexa.word("Halcyx").top, 0.08, kNear);
    EXPECT_NEAR(vexa.word("Vexa Configuration").left, 0.17, kNear);
    EXPECT_NEAR(vexa.word("Vexa Configuration").top, 0.25, kNear);
    EXPECT_NEAR(vexa.word("Average for").top, 0.08, 0.1) << "the second page starts at the top";

    record.product = ProductCode::TavrinCT;
    const PdfPages ct = printed(CTPrintout(record, settings.ct), "CTPrintout");
    EXPECT_EQ(ct.pages, 1);
    EXPECT_TRUE(ct.text.contains("Tavrin Configuration"));
    EXPECT_FALSE(ct.text.contains("DC Channels"));
}

TEST_F(PrintingTest, PrintConfigurationNeedsSettingsThenPrintsThroughTheDialog) {
    InstrumentRecord record;
    record.product = ProductCode::TavrinCT;
    const InstrumentSettings settings;
    const auto printer = pdfPrinter(QStringLiteral("print-config"), QPageLayout::Portrait);
    op.expectMessage("There is no configuration data to print!", "NO Instrument Configuration",
                     Icon::Stop);
    printConfiguration(*printer, op, record, settings, DCChannelTable());
    EXPECT_FALSE(QFile::exists(pdfPath("print-config")));

    record.settingsRead = true;
    test::whenModalOpens([](QDialog& dialog) {
        EXPECT_TRUE(qobject_cast<QPrintDialog*>(&dialog));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print Tavrin Configuration"));
        dialog.accept();
    });
    printConfiguration(*printer, op, record, settings, DCChannelTable());
    EXPECT_TRUE(PdfPages(pdfPath("print-config")).text.contains("Tavrin Configuration"));

    // Printer setup works on the PDF printer of a machine without printers too.
    bool setupShown = false;
    test::whenModalOpens([&setupShown](QDialog& dialog) {
        setupShown = true;
        dialog.reject();
    });
    printer->setup();
    EXPECT_TRUE(setupShown);
}

TEST_F(PrintingTest, PreviewHidesTheMainWindowAndItsPrintPrintsWhatWasShown) {
    QMainWindow main;
    main.resize(800, 600);
    main.show();
    const auto printer = pdfPrinter(QStringLiteral("from-preview"), QPageLayout::Portrait, &main);

    op.expectQuestion("Do you want to print the Cast Information?", "Graph Printout", true);
    previewCastGraph(*printer, op, graph, sampleInfo());
    PreviewFrame* frame = test::shownWindow<PreviewFrame>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Veltro Acquisition Print Preview"));
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(frame->size(), main.size());
    test::screenshot(*frame, QStringLiteral("PreviewFrame"));

    QAction* print = nullptr;
    for (QAction* action : frame->findChild<QToolBar*>()->actions())
        if (action->text() == QStringLiteral("Print"))
            print = action;
    ASSERT_NE(print, nullptr);
    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
        test::whenModalOpens([&dialogSeen](QDialog& dialog) {
            dialogSeen = true;
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print ACQ Graph"));
            dialog.accept();
        });
    });
    print->trigger();
    for (int i = 0; i < 10 && !dialogSeen; ++i)
        QApplication::processEvents();
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(main.isVisible());
    const PdfPages pdf(pdfPath("from-preview"));
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.text.contains("Cast Information")) << "the answer given for the preview";
}

TEST_F(PrintingTest, PressureGraphSelectionPicksTheGraphOrCancels) {
    std::vector<int> asked;
    const PressureGraphs graphs = [&](int index) {
        asked.push_back(index);
        return PressureGraphSource{"Pressure Graph " + std::to_string(index + 1), "Salinity",
                                   std::make_unique<ProfileGraphPainter>(graph)};
    };
    const auto printer = pdfPrinter(QStringLiteral("pressure"), QPageLayout::Portrait);
    test::whenModalOpens([](QDialog& dialog) { dialog.reject(); });
    printPressureGraph(*printer, nullptr, graphs, sampleInfo());
    EXPECT_TRUE(asked.empty());

    test::whenModalOpens([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print Pressure Graph Setup"));
        test::screenshot(dialog, QStringLiteral("PrintPGraphDlg"));
        static_cast<PrintPGraphDlg&>(dialog).choose(2);
        test::whenModalOpens([](QDialog& print) { print.accept(); });
        dialog.accept();
    });
    printPressureGraph(*printer, nullptr, graphs, sampleInfo());
    EXPECT_EQ(asked, std::vector<int>{2});
    EXPECT_TRUE(
        PdfPages(pdfPath("pressure")).text.contains("Pressure Graph 3, Pressure vs. Salinity"));
}

} // namespace
} // namespace halcyx
