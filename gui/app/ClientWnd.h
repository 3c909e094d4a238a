#pragma once

#include "core/base/Commands.h"

#include <QWidget>

namespace halcyx {

class MainFrame;

// A client window of the main frame, one per mode. Menu commands the application does not
// handle itself come here.
class ClientWnd : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Carries out one of this window's menu commands; false for commands it has none for.
    virtual bool onCommand(int command);
    // How the command's menu item should look now. Commands a window does not carry out
    // are disabled.
    virtual CommandState commandState(int command) const;

protected:
    // Changes the main frame's title, e.g. to name the file being logged.
    void setFrameTitle(const QString& title);
    // The frame this window is the client of; nullptr before it is placed in one. Through it
    // a window installs a fresh menu or takes commands out of it.
    MainFrame* mainFrame() const;
    // Asks the frame to show the window's commands as commandState() now says. Menus refresh
    // on their own when they open and after each command; the top-level commands and
    // changes made by timers or queued actions need this.
    void refreshCommands();
};

} // namespace halcyx
