#pragma once

#include "core/app/ClientWindows.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <vector>

class QStackedWidget;

namespace halcyx {

class ClientWnd;

// The one main window. Its client, menu, icon and title change with the mode; the three
// client windows stay alive in a stack across every switch.
class MainFrame : public QMainWindow, public FrameView {
    Q_OBJECT
public:
    // Takes the three client windows over as children.
    MainFrame(ClientWnd* config, ClientWnd* acq, ClientWnd* modAcq, QWidget* parent = nullptr);

    void setClient(ClientKind client) override;
    void setMenu(MenuId menu) override;
    void setIcon(int iconResource) override;
    void setTitle(const std::string& title) override;

    // Takes a command out of the installed menu, until a menu is next installed.
    void removeMenuCommand(int command);

    // The application's own commands: the handler returns false for the others, which go
    // to the client window.
    void setCommandHandler(std::function<bool(int)> handler) { handler_ = std::move(handler); }
    // Asked before the window closes; false keeps it open.
    void setCloseCheck(std::function<bool()> check) { closeCheck_ = std::move(check); }

    // Carries out a menu command as if the operator had chosen it.
    void runCommand(int command);
    // Sets enabled and checked of every menu command from its window.
    void refreshCommandStates();

    ClientWnd* client() const;
    MenuId menu() const { return menu_; }
    int iconResource() const { return icon_; }
    // The installed menu item of a command; nullptr when the menu has none.
    QAction* commandAction(int command) const { return actions_.value(command); }

    // Where the frame goes on a screen with this available area: its top-left corner, the
    // full width and the height less 20 pixels.
    static QRect initialGeometry(const QRect& available);
    // Puts the frame, title bar included, at initialGeometry(available) and shows it. The
    // window manager's frame comes around the client after the window is shown, so the
    // client is sized to the area less the frame's margins as soon as they are known.
    void showPlaced(const QRect& available);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void installMenu();
    // Fits the frame into placement_ with the frame margins known now.
    void fitPlacement();
    void addEntries(const std::vector<MenuItem>& entries, QWidget* into);
    QAction* addCommand(const MenuItem& entry, QWidget* into);

    QStackedWidget* stack_;
    ClientWnd* clients_[3];
    MenuId menu_ = MenuId::Config;
    std::vector<MenuItem> menuEntries_;
    QHash<int, QAction*> actions_;
    int icon_ = 0;
    std::function<bool(int)> handler_;
    std::function<bool()> closeCheck_;
    // Where the frame, margins included, is to go; null once it is in place.
    QRect placement_;
};

} // namespace halcyx
