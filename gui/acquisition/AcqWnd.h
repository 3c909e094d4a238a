#pragma once

#include "core/acquisition/AcqCommands.h"
#include "core/acquisition/AcqSession.h"
#include "core/acquisition/WaterSampler.h"
#include "core/app/ClientWindows.h"
#include "core/instrument/DcChannelTable.h"
#include "gui/app/ClientWnd.h"
#include "gui/app/WindowContext.h"
#include "gui/instrument/SetComportDlg.h"

#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class QLineEdit;
class QLabel;
class QPushButton;

namespace halcyx {

class GraphWnd;
class ListingWnd;
class NavPort;
class PresGraphWnd;
class WindowPrinter;

// The client window of profile and towed acquisition. The application hands it the
// instrument's product code and channels as it enters the mode; at the first entry the
// window sets up its cast session, whose channel list later entries keep. The window shows
// the readouts, the profile graph and the listing, and in towed mode the pressure graphs
// its settings enable; it runs the data timer while a cast is logged, owns the navigation
// port that stamps towed records, and carries out the acquisition menus; the cast itself
// lives in its AcqSession. A window made without a device maker has no data port and no
// navigation port, and starts no cast.
class AcqWnd : public ClientWnd, public AcqClient, public ScanSubscriber {
    Q_OBJECT
public:
    // The readouts, top to bottom.
    enum ReadoutRow { Scans, Pressure, Temperature, Conductivity, kReadoutRows };
    static constexpr int kPressureGraphs = cmd::kPressureGraph4 - cmd::kPressureGraph1 + 1;
    // Where the window reads what the configuration window knows of the instrument: the DC
    // channel table ("DC Channel Setup" edits it) and, at cast end, serial number and rate.
    using InstrumentFacts = std::function<CastInstrument()>;

    explicit AcqWnd(WindowContext& context, QWidget* parent = nullptr);
    ~AcqWnd() override;

    void setInstrumentSource(DCChannelTable& dcTable, InstrumentFacts facts);

    bool logging() const override { return session_ && session_->logging(); }
    void setTowed(bool towed) override;
    void setProductCode(ProductCode product) override { product_ = product; }
    void setChannelMask(ChannelMask mask) override { channelMask_ = mask; }
    void setSamplingRate(float scansPerSecond) override { samplingRate_ = scansPerSecond; }
    bool closeDataPort() override;
    void openDataPort() override;
    void openNavigationPort() override;
    void setShown(bool shown) override { setVisible(shown); }

    bool onCommand(int command) override;
    CommandState commandState(int command) const override;

    // One tick of the data timer (timer 1): the port drained into the cast and the
    // displays brought up to date.
    void tick();

    // ScanSubscriber: the readouts and (towed) the pressure graphs.
    void onReadout(Readout which, std::string_view text) override;
    void onScanCount(int scans) override;
    void onPressurePoint(const ScanRecord& record) override;
    void onPressureRedraw() override;

    bool towed() const { return towed_; }
    ProductCode productCode() const { return product_; }
    ChannelMask channelMask() const { return channelMask_; }
    // [scans/s]
    float samplingRate() const { return samplingRate_; }
    // [dbar], [deg]
    float constantPressure() const { return constantPressure_; }
    float constantLatitude() const { return constantLatitude_; }
    // Nullptr for a window without a data port.
    AcqSession* session() { return session_.get(); }
    const QTimer& dataTimer() const { return dataTimer_; }
    GraphWnd& graph() { return *graph_; }
    ListingWnd& listing() { return *listing_; }
    // The printer of the print commands.
    WindowPrinter& printer() { return *printer_; }
    // index 0 to 3 (graph 1 to 4).
    PresGraphWnd& pressureGraph(int index) {
        return *pressureGraphs_[static_cast<std::size_t>(index)];
    }
    // Nullptr for a window without a data port.
    NavPort* navPort() { return nav_.get(); }
    QLineEdit& readout(ReadoutRow row) { return *readouts_[static_cast<std::size_t>(row)]; }
    QPushButton& fireButton() { return *fire_; }
    QPushButton& homeButton() { return *home_; }
    QLabel& samplerStatus() { return *samplerStatus_; }
    const WaterSampler& sampler() const { return sampler_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    AcqCommandContext commandContext() const;
    // The window's own commands; false for the others.
    bool runCommand(int command);
    void setUp();
    void startCast(bool down);
    void endCast();
    void acqSettings();
    void dcChannelSetup();
    void portSetup();
    void toggleSampler();
    // Home (240) or Fire (241): the data timer rests during the exchange.
    void samplerCommand(int command);
    // Print and preview of the cast graph and the pressure graphs, and the printer setup.
    void printCommand(int command);
    // "Pressure Graph Setup" of graph index 0 to 3, then the graphs placed afresh.
    void pressureGraphSetup(int index);
    void layoutChildren();
    // Which readouts the model fills.
    bool showsReadout(ReadoutRow row) const;

    WindowContext& context_;
    DCChannelTable ownDcTable_;
    DCChannelTable* dcTable_ = &ownDcTable_;
    InstrumentFacts facts_;
    std::unique_ptr<SerialDevice> device_;
    std::unique_ptr<AcqSession> session_;
    std::unique_ptr<NavPort> nav_;
    QtPortSetupDialog portDialog_;
    QTimer dataTimer_;

    bool towed_ = false;
    ProductCode product_ = ProductCode::None;
    ChannelMask channelMask_ = 0;
    float samplingRate_ = 0.0f;
    float constantPressure_ = ScanDecoder::kDefaultConstantPressure;
    float constantLatitude_ = ScanDecoder::kDefaultConstantLatitude;
    bool samplerEnabled_ = false;
    WaterSampler sampler_;
    bool graphVisible_ = true;
    bool listingVisible_ = false;

    std::array<QLineEdit*, kReadoutRows> readouts_{};
    QPushButton* fire_;
    QPushButton* home_;
    QLabel* samplerStatus_;
    GraphWnd* graph_;
    ListingWnd* listing_;
    std::unique_ptr<WindowPrinter> printer_;
    std::array<PresGraphWnd*, kPressureGraphs> pressureGraphs_{};
};

} // namespace halcyx
