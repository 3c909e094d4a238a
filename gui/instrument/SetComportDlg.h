#pragma once

#include "core/instrument/PortSetup.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QComboBox;
class QWidget;

namespace halcyx {

class Profile;

// "Communications Setup": radio buttons for COM1..COM4 and the nine baud rates. Each click
// stores the choice at once in the caller's variables, which the caller uses only when the
// dialog ends with OK. Beside each COM button, the serial device it maps to; choosing
// another one maps that COM number to it in the settings file when OK is pressed.
class SetComportDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPorts = 4;

    SetComportDlg(int& port, std::uint32_t& baud, Profile& settings, const QString& caption,
                  QWidget* parent = nullptr);

    // True when OK changed the device the chosen COM number maps to.
    bool remapped() const { return remapped_; }

private:
    void accept() override;

    int& port_;
    Profile& settings_;
    std::array<QComboBox*, kPorts> devices_{};
    std::array<QString, kPorts> mappedAtOpen_;
    bool remapped_ = false;
};

// The port setup dialog as the configuration and acquisition windows run it.
class QtPortSetupDialog : public PortSetupDialog {
public:
    QtPortSetupDialog(Profile& settings, QString caption, QWidget* parent)
        : settings_(settings), caption_(std::move(caption)), parent_(parent) {}
    std::optional<PortChoice> choosePort(PortChoice current) override;

private:
    Profile& settings_;
    QString caption_;
    QWidget* parent_;
};

} // namespace halcyx
