#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace halcyx {

class ChannelList;
class Operator;
class PresGraphWnd;
class Profile;

// "Pressure Graph Setup" of one pressure graph: pressure axis, x units, colour parameter
// and thresholds, whether the graph is shown, grid and view width. OK stores the choices
// under PGRAPH%d and applies them to the graph.
class PressureSetupDlg : public QDialog {
    Q_OBJECT
public:
    PressureSetupDlg(PresGraphWnd& graph, const ChannelList& channels, Profile& settings,
                     Operator& op, QWidget* parent = nullptr);

    QLineEdit* lowPressure() const { return lowPressure_; }
    QLineEdit* highPressure() const { return highPressure_; }
    QLineEdit* lowThreshold() const { return lowThreshold_; }
    QLineEdit* highThreshold() const { return highThreshold_; }
    QComboBox* colourParameter() const { return colourParameter_; }

    void accept() override;

private:
    PresGraphWnd& graph_;
    const ChannelList& channels_;
    Profile& settings_;
    QLineEdit* lowPressure_;
    QLineEdit* highPressure_;
    QLineEdit* lowThreshold_;
    QLineEdit* highThreshold_;
    QComboBox* colourParameter_;
    QButtonGroup* units_;
    QButtonGroup* width_;
    QCheckBox* show_;
    QCheckBox* grid_;
};

} // namespace halcyx
