#include "gui/app/SettingsDlg.h"

#include "core/app/HelpLocation.h"
#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"
#include "gui/app/HelpViewer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace halcyx {

namespace {

// Room for a typical install path without scrolling [px].
constexpr int kFieldWidthPx = 320;

} // namespace

SettingsDlg::SettingsDlg(Profile& settings, HelpViewer& help, Operator& op, QWidget* parent)
    : QDialog(parent), settings_(settings), help_(help), op_(op),
      checkAtStart_(new QCheckBox(tr("Check for Instrument at Program Start"), this)),
      helpLocation_(new QLineEdit(this)), helpButton_(nullptr) {
    setWindowTitle(QStringLiteral("Halcyx Settings"));

    checkAtStart_->setChecked(kCheckInt.read(settings_) == 1);
    // The choice counts at once, whatever button later closes the dialog.
    connect(checkAtStart_, &QCheckBox::clicked, this,
            [this](bool checked) { kCheckInt.write(settings_, checked ? 1 : 0); });

    helpLocation_->setMaxLength(static_cast<int>(kHelpFile.key.maxChars));
    helpLocation_->setMinimumWidth(kFieldWidthPx);
    helpLocation_->setText(QString::fromStdString(help_.path()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    helpButton_ = buttons->addButton(QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDlg::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { op_.showHelp(help::kProgramSettings); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(checkAtStart_);
    layout->addSpacing(8);
    layout->addWidget(new QLabel(QStringLiteral("Help File Location:"), this));
    layout->addWidget(helpLocation_);
    layout->addSpacing(8);
    layout->addWidget(buttons);
}

void SettingsDlg::accept() {
    const std::string location = helpLocation_->text().toStdString();
    // The path in memory follows the field even when it is empty and refused.
    help_.setPath(location);
    if (location.empty()) {
        op_.message("Enter the install directory of Halcyx (normally C:\\Halcyx",
                    "Help File Location Error", Icon::Stop);
        return;
    }
    kHelpFile.write(settings_, location);
    QDialog::accept();
}

} // namespace halcyx
