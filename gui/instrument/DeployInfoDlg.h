#pragma once

#include "core/memory/DownloadFiles.h"

#include <QDialog>
#include <array>

class QLineEdit;

namespace halcyx {

// "Deployment Information": where and when a Tavrin P was moored, for the head of its
// downloaded data file. The time, date and serial number are shown, not edited. The
// entries reach the record only on "OK".
class DeployInfoDlg : public QDialog {
    Q_OBJECT
public:
    enum Field { Number, Mooring, Position, Latitude, Longitude, Depth, Time, Date, Serial };
    static constexpr int kFields = Serial + 1;

    DeployInfoDlg(DeploymentInfo& info, QWidget* parent = nullptr);

    void accept() override;
    QLineEdit* edit(Field field) const { return edits_[static_cast<std::size_t>(field)]; }

private:
    DeploymentInfo& info_;
    std::array<QLineEdit*, kFields> edits_{};
};

} // namespace halcyx
