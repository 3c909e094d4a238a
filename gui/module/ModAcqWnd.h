#pragma once

#include "core/app/ClientWindows.h"
#include "gui/app/ClientWnd.h"
#include "gui/app/WindowContext.h"

namespace halcyx {

// The client window of module acquisition: logs and plots the one value per line that a
// sensor module sends.
class ModAcqWnd : public ClientWnd, public ModAcqClient {
    Q_OBJECT
public:
    explicit ModAcqWnd(WindowContext& context, QWidget* parent = nullptr);

    bool logging() const override { return logging_; }
    void openDataPort() override;
    void openNavigationPort() override;
    void setShown(bool shown) override { setVisible(shown); }

    // Set while records are being logged to a file.
    void setLogging(bool logging) { logging_ = logging; }

protected:
    WindowContext& context_;

private:
    bool logging_ = false;
};

} // namespace halcyx
