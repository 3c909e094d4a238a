#include "gui/instrument/CTRunWnd.h"

#include <QLineEdit>

namespace halcyx {

CTRunWnd::CTRunWnd(CommPort& port, Operator& op, ChannelMask mask,
                   const std::optional<std::string>& logPath, QWidget* parent)
    : RunWnd(QStringLiteral("CT Run Continuous Mode"), kCtRunTickMs, parent),
      run_(port, op, logPath, mask::has(mask, mask::kTavrinCtTime)),
      conductivity_(addField(QStringLiteral("Conductivity"), mask::has(mask, mask::kConductivity))),
      temperature_(addField(QStringLiteral("Temperature"), mask::has(mask, mask::kTemperature))),
      time_(addField(QStringLiteral("Time and Date:"), mask::has(mask, mask::kTavrinCtTime))) {
    run_.start();
    finishSetUp(run_, CtRun::kClosingReadBytes);
}

void CTRunWnd::tick() {
    const auto record = run_.tick();
    showLogging();
    if (!record)
        return;
    conductivity_->setText(QString::fromLatin1(record->conductivity));
    temperature_->setText(QString::fromLatin1(record->temperature));
    if (record->time)
        time_->setText(QString::fromLatin1(*record->time));
}

} // namespace halcyx
