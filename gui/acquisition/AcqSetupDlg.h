#pragma once

#include <QDialog>

class QLineEdit;

namespace halcyx {

class Operator;

// "ACQ Settings": the constant pressure a Tavrin CT's derived values use in place of a
// measured one, and the latitude every model's depth uses. On OK a negative entry becomes 0
// (depth depends only on the square of the latitude's sine, so a southern latitude is
// entered as its absolute value).
class AcqSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPressureChars = 14;
    static constexpr int kLatitudeChars = 4;

    // pressure [dbar], latitude [deg]; both are changed only by OK.
    AcqSetupDlg(float& pressure, float& latitude, Operator& op, QWidget* parent = nullptr);

    void accept() override;

    QLineEdit* pressureEdit() const { return pressureEdit_; }
    QLineEdit* latitudeEdit() const { return latitudeEdit_; }

private:
    float& pressure_;
    float& latitude_;
    QLineEdit* pressureEdit_;
    QLineEdit* latitudeEdit_;
};

} // namespace halcyx
