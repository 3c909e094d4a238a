#include "gui/instrument/DeployInfoDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPalette>

namespace halcyx {

namespace {

struct FieldRow {
    const char* label;
    std::string DeploymentInfo::*text;
    std::size_t size; // [characters, terminator included]
    bool readOnly;
};
constexpr std::array<FieldRow, DeployInfoDlg::kFields> kRows = {{
    {"Number:", &DeploymentInfo::number, DeploymentInfo::kNumberSize, false},
    {"Mooring:", &DeploymentInfo::mooring, DeploymentInfo::kPlaceSize, false},
    {"Position:", &DeploymentInfo::position, DeploymentInfo::kPlaceSize, false},
    {"Latitude:", &DeploymentInfo::latitude, DeploymentInfo::kFieldSize, false},
    {"Longitude:", &DeploymentInfo::longitude, DeploymentInfo::kFieldSize, false},
    {"Depth:", &DeploymentInfo::depth, DeploymentInfo::kFieldSize, false},
    {"Time:", &DeploymentInfo::time, DeploymentInfo::kFieldSize, true},
    {"Date:", &DeploymentInfo::date, DeploymentInfo::kFieldSize, true},
    {"Serial Number:", &DeploymentInfo::serialNumber, DeploymentInfo::kSerialSize, true},
}};
constexpr int kPlaceEditWidth = 320; // [px] room for a mooring's name

} // namespace

DeployInfoDlg::DeployInfoDlg(DeploymentInfo& info, QWidget* parent) : QDialog(parent), info_(info) {
    setWindowTitle(QStringLiteral("Deployment Information"));
    auto* layout = new QFormLayout(this);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const FieldRow& row = kRows[i];
        auto* edit = new QLineEdit(QString::fromStdString(info.*row.text), this);
        edit->setMaxLength(static_cast<int>(row.size) - 1);
        edit->setReadOnly(row.readOnly);
        if (row.readOnly) {
            // Shown, not edited: on the dialog's own background.
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            edit->setPalette(palette);
        }
        if (row.size == DeploymentInfo::kPlaceSize)
            edit->setMinimumWidth(kPlaceEditWidth);
        edits_[i] = edit;
        layout->addRow(QString::fromLatin1(row.label), edit);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &DeployInfoDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(box);
}

void DeployInfoDlg::accept() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (!kRows[i].readOnly)
            info_.*kRows[i].text = edits_[i]->text().toStdString();
    QDialog::accept();
}

} // namespace halcyx
