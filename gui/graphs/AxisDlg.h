#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace halcyx {

// "Coordinates": the small modeless panel beside the profile graph that names its five
// axes and shows their values under the mouse pointer, the vertical axis first.
class AxisDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAxes = 5; // the vertical axis, then X1 to X4

    explicit AxisDlg(QWidget* parent = nullptr);

    void setNames(const std::array<QString, kAxes>& names);
    void setValues(const std::array<QString, kAxes>& values);

    QLabel* name(int axis) const { return names_.at(static_cast<std::size_t>(axis)); }
    QLabel* value(int axis) const { return values_.at(static_cast<std::size_t>(axis)); }

private:
    std::array<QLabel*, kAxes> names_{};
    std::array<QLabel*, kAxes> values_{};
};

} // namespace halcyx
