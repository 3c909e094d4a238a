#pragma once

#include "core/instrument/ClockSetting.h"

#include <QDialog>

class QLineEdit;

namespace halcyx {

// "Enter Local Time and Date": offers the computer's clock for the instrument, to be
// confirmed or changed. It takes whatever the operator types.
class GetTimeDlg : public QDialog {
    Q_OBJECT
public:
    explicit GetTimeDlg(const ClockTexts& initial, QWidget* parent = nullptr);

    ClockTexts texts() const;

    QLineEdit* timeEdit() const { return time_; }
    QLineEdit* dateEdit() const { return date_; }

private:
    QLineEdit* time_;
    QLineEdit* date_;
};

} // namespace halcyx
