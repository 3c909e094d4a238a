#pragma once

#include "core/app/ClientWindows.h"
#include "core/module/ModuleSession.h"
#include "gui/acquisition/NavPort.h"
#include "gui/app/ClientWnd.h"
#include "gui/app/WindowContext.h"
#include "gui/instrument/SetComportDlg.h"

#include <QPixmap>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

namespace halcyx {

class ListingWnd;
class ModGraph;

// The client window of module acquisition: it selects the module and checks that it runs,
// logs the one value per line it sends to a data file, lists the records and plots them in
// the module graph. The ports, the records and the graph's data live in its ModuleSession;
// the window runs the data timer (its NavPort the navigation timer), lays out the graph and
// the listing, and carries out the module menu. A window made without a device maker has no
// ports: its commands are off.
class ModAcqWnd : public ClientWnd, public ModAcqClient {
    Q_OBJECT
public:
    explicit ModAcqWnd(WindowContext& context, QWidget* parent = nullptr);
    ~ModAcqWnd() override;

    bool logging() const override { return session_ && session_->logging(); }
    void openDataPort() override;
    void openNavigationPort() override;
    void setShown(bool shown) override { setVisible(shown); }

    bool onCommand(int command) override;
    CommandState commandState(int command) const override;

    // Commands another part of the program carries out for this window: printing, preview
    // and printer setup, and the communications terminal on the data port.
    void setCommandHook(int command, std::function<void()> hook);

    // The data timer's work, one tick.
    void onDataTimer();

    // Nullptr for a window without ports.
    ModuleSession* session() { return session_.get(); }
    NavPort* navPort() { return navPort_.get(); }
    ModGraph& graph() { return *graph_; }
    ListingWnd& listing() { return *listing_; }
    bool dataTimerRunning() const { return dataTimer_.isActive(); }

    // Where the graph, the listing and the bitmap go in a client area [px]; an empty
    // rectangle for a view that is not shown.
    struct Layout {
        QRect graph;
        QRect listing;
        QRect bitmap;
    };
    static Layout layoutFor(const QSize& client, bool graphShown, bool listingShown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool runCommand(int command);
    void selectModule();
    void startLogging();
    void endLogging();
    void graphSetup();
    void navigationPortSetup();
    void showViews(bool graphShown, bool listingShown);

    WindowContext& context_;
    QtPortSetupDialog portDialog_;
    std::unique_ptr<SerialDevice> dataDevice_;
    std::unique_ptr<NavPort> navPort_;
    std::unique_ptr<ModuleSession> session_;
    ModGraphData noSessionGraph_;
    ModGraph* graph_;
    ListingWnd* listing_;
    QPixmap bitmap_;
    QTimer dataTimer_;
    bool graphShown_ = true;
    bool listingShown_ = false;
    std::map<int, std::function<void()>> hooks_;
};

} // namespace halcyx
