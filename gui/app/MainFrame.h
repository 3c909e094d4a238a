#pragma once

#include <QMainWindow>

namespace halcyx {

// The one main window; its client, menu, icon and title change with the mode.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);
};

} // namespace halcyx
