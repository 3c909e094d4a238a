#pragma once

#include "core/graphs/ProfileSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace halcyx {

class ChannelList;
class Operator;
class Profile;

// Hands the settings to the graph, each axis's list position read through the channel list.
void applyGraphSettings(ProfileGraph& graph, const ProfileGraphSettings& settings,
                        const ChannelList& channels);

// "Graph Setup": the title, the five axes (caption, parameter, range, enable), auto-zoom and
// the grid of the profile graph. OK hands the entries to the graph, raises an update rate
// below the minimum with a warning, and writes every graph setting to the settings file;
// Cancel changes nothing.
class GraphicsDlg : public QDialog {
    Q_OBJECT
public:
    // The entries of one axis; the vertical axis has no enable box.
    struct AxisFields {
        QLineEdit* label = nullptr;
        QComboBox* param = nullptr;
        QLineEdit* minimum = nullptr;
        QLineEdit* maximum = nullptr;
        QCheckBox* enable = nullptr;
    };

    GraphicsDlg(ProfileGraph& graph, const ChannelList& channels, ProfileGraphSettings& settings,
                Operator& op, Profile& profile, QWidget* parent = nullptr);

    void accept() override;

    QLineEdit* title() const { return title_; }
    const AxisFields& vertical() const { return vertical_; }
    const AxisFields& horizontal(int axis) const {
        return horizontal_.at(static_cast<std::size_t>(axis));
    }
    QCheckBox* autoZoom() const { return autoZoom_; }
    QLineEdit* updateRate() const { return updateRate_; }
    QCheckBox* grid() const { return grid_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* helpButton() const { return help_; }

private:
    AxisFields makeAxis(const QString& caption, const QString& enableCaption, QWidget*& group);
    void fill(const AxisFields& fields, const ProfileAxis& axis, int param, bool wholeNumbers);
    ProfileGraphSettings entered() const;

    ProfileGraph& graph_;
    const ChannelList& channels_;
    ProfileGraphSettings& settings_;
    Operator& op_;
    Profile& profile_;
    QLineEdit* title_;
    AxisFields vertical_;
    std::array<AxisFields, kHorizontalAxes> horizontal_;
    QCheckBox* autoZoom_;
    QLineEdit* updateRate_;
    QCheckBox* grid_;
    QPushButton* ok_;
    QPushButton* help_;
};

} // namespace halcyx
