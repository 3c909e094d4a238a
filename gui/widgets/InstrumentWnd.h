#pragma once

#include <QString>
#include <QWidget>
#include <array>

namespace halcyx {

class TextWnd;

// The titled box in the configuration window that shows the identified instrument:
// model, serial number, firmware version and calibration date.
class InstrumentWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 120;
    enum Row { Model, SerialNumber, Firmware, CalDate, kRows };

    // Placed at (1, 1) in the owner.
    explicit InstrumentWnd(QWidget* owner);

    TextWnd& readout(Row row) { return *readouts_[row]; }
    void showInstrument(const QString& model, const QString& serialNumber, const QString& firmware,
                        const QString& calDate);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<TextWnd*, kRows> readouts_{};
};

} // namespace halcyx
