#include "gui/instrument/QtConfigDialogs.h"

#include "gui/instrument/ConfigTavrin.h"
#include "gui/instrument/ConfigVexa.h"

namespace halcyx {

bool QtConfigDialogs::runVexa(VexaConfigData& record, bool dc7And8Available,
                              bool averagingAvailable) {
    ConfigVexa dialog(record, dcTable_, port_, op_, dc7And8Available, averagingAvailable, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtConfigDialogs::runTavrinCT(CTConfigData& record, bool averagingAvailable) {
    ConfigCT dialog(record, port_, op_, averagingAvailable, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtConfigDialogs::runTavrinP(PConfigData& record, bool averagingAvailable) {
    ConfigP dialog(record, port_, op_, averagingAvailable, parent_);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace halcyx
