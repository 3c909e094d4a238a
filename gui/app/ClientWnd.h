#pragma once

#include "app/Commands.h"

#include <QWidget>

namespace halcyx {

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
};

} // namespace halcyx
