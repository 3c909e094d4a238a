#include "gui/instrument/VexaRunWnd.h"

#include "core/base/ModelTraits.h"

#include <QLineEdit>

namespace halcyx {

namespace {

constexpr std::array<const char*, kRunDc1> kPrimaryCaptions = {
    "Conductivity", "Temperature", "Pressure", "Time and Date:", "Salinity", "Sound Velocity"};

QString fieldCaption(int field) {
    return field < kRunDc1 ? QString::fromLatin1(kPrimaryCaptions[static_cast<std::size_t>(field)])
                           : QStringLiteral("DC%1").arg(field - kRunDc1 + 1);
}

} // namespace

VexaRunWnd::VexaRunWnd(CommPort& port, Operator& op, ProductCode product, ChannelMask mask,
                       const std::optional<std::string>& logPath, QWidget* parent)
    : RunWnd(QStringLiteral("Vexa Run Continuous Mode"), kVexaRunTickMs, parent),
      run_(port, op, logPath, mask) {
    const int fields = kRunDc1 + modelTraits(product).dcChannels;
    for (int field = 0; field < fields; ++field)
        fields_[static_cast<std::size_t>(field)] =
            addField(fieldCaption(field), mask::has(mask, vexaRunFieldBit(field)));
    run_.start();
    finishSetUp(run_, VexaRun::kClosingReadBytes);
}

void VexaRunWnd::tick() {
    const auto texts = run_.tick();
    showLogging();
    if (!texts)
        return;
    for (std::size_t field = 0; field < fields_.size(); ++field)
        if (fields_[field] && (*texts)[field])
            fields_[field]->setText(QString::fromLatin1(*(*texts)[field]));
}

} // namespace halcyx
