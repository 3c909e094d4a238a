#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace halcyx {

class HelpViewer;
class Operator;
class Profile;

// "Halcyx Settings": whether to look for the instrument at program start, written at each
// click, and where the help is, kept when the dialog closes with OK.
class SettingsDlg : public QDialog {
    Q_OBJECT
public:
    SettingsDlg(Profile& settings, HelpViewer& help, Operator& op, QWidget* parent = nullptr);

    // OK: takes the help location over; an empty one is refused with a message.
    void accept() override;

    QCheckBox* checkAtStart() const { return checkAtStart_; }
    QLineEdit* helpLocation() const { return helpLocation_; }
    QPushButton* helpButton() const { return helpButton_; }

private:
    Profile& settings_;
    HelpViewer& help_;
    Operator& op_;
    QCheckBox* checkAtStart_;
    QLineEdit* helpLocation_;
    QPushButton* helpButton_;
};

} // namespace halcyx
