#pragma once

#include "core/acquisition/CastLifecycle.h"
#include "core/app/ClientWindows.h"
#include "core/instrument/ConfigSession.h"
#include "core/instrument/DcChannelTable.h"
#include "core/instrument/Deployment.h"
#include "core/memory/DownloadFiles.h"
#include "gui/app/ClientWnd.h"
#include "gui/app/WindowContext.h"
#include "gui/instrument/ProductDlg.h"
#include "gui/instrument/SetComportDlg.h"

#include <QPixmap>
#include <functional>
#include <map>
#include <memory>

namespace halcyx {

class InstrumentWnd;

// The client window of configuration mode. It owns the instrument port while the program is
// in this mode and shows what is known about the instrument: the instrument panel at the
// top left, the banner at the bottom left and the model's picture in the middle. The port,
// the records and the command sequences live in its ConfigSession.
//
// Set up, it opens the port from the settings file and posts itself the start-up notice,
// which looks for the instrument when the settings ask for it. A window made without a
// device maker has no instrument port: its port operations do nothing.
class ConfigWnd : public ClientWnd, public ConfigClient {
    Q_OBJECT
public:
    explicit ConfigWnd(WindowContext& context, QWidget* parent = nullptr);
    ~ConfigWnd() override;

    ProductCode productCode() const override;
    ChannelMask channelMask() const override;
    SamplingRateFlags samplingRateFlags() const override;
    void readInstrumentSettings() override;
    void enterRunMode() override;
    bool closePort() override;
    bool openPortFromSettings() override;
    void requestOpenMode() override;
    void setShown(bool shown) override { setVisible(shown); }

    // Set by instrument detection, reading the settings and loading a configuration file.
    void setProductCode(ProductCode product);
    void setChannelMask(ChannelMask mask);
    void setSamplingRateFlags(const SamplingRateFlags& flags);

    bool onCommand(int command) override;
    CommandState commandState(int command) const override;

    // Nullptr for a window without an instrument port.
    ConfigSession* session() { return session_.get(); }
    InstrumentWnd& panel() { return *panel_; }
    // The names and coefficients of the DC channels, edited here and used in acquisition.
    DCChannelTable& dcTable() { return dcTable_; }
    // The serial number and chosen sampling rate a cast's information records.
    CastInstrument castInstrument() const;
    // The communications terminal on this window's port, whose number and rate come back
    // when it closes. A deployment that leaves the instrument answering opens it once the
    // command has returned.
    void communicationsWindow();
    // The cast information a download's header files take.
    CastInfo& castInfo() { return castInfo_; }

    // Shows the instrument record in the panel and the model's picture, or that the
    // instrument is not connected once it went away.
    void showInstrument();

    // Where the banner and the model's picture go in the client area [px].
    static QRect bannerRect(const QSize& client);
    static QRect pictureRect(const QSize& client);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The window's own commands; false for the others.
    bool runCommand(int command);
    void onStartUpNotice(bool portOpened);
    void checkInstrument();
    void afterCheck(CheckOutcome outcome);
    void portSetup();
    void showSettings();
    void configureInstrument();
    void openConfiguration();
    void saveConfiguration();
    void continuousDataMode();
    void printConfig();
    void deploy();
    void retrieveData();
    // The picture of the identified model; null for models without one.
    const QPixmap* modelPicture() const;

    WindowContext& context_;
    // No device maker: no port, and every port operation is left undone.
    InstrumentRecord noInstrument_;
    InstrumentSettings noSettings_;
    DCChannelTable dcTable_;
    DeployMode deploySelection_ = DeployMode::Continuous;
    CastInfo castInfo_;
    DeploymentInfo deploymentInfo_;
    std::unique_ptr<SerialDevice> device_;
    QtProductChooser chooser_;
    QtPortSetupDialog portDialog_;
    std::unique_ptr<ConfigSession> session_;
    InstrumentWnd* panel_;
    QPixmap banner_;
    // The models' pictures by bitmap resource.
    std::map<int, QPixmap> modelPictures_;
};

} // namespace halcyx
