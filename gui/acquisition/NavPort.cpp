#include "gui/acquisition/NavPort.h"

#include "core/prompt/Operator.h"
#include "gui/app/SequenceGuard.h"
#include "gui/app/WindowContext.h"

namespace halcyx {

NavPort::NavPort(std::unique_ptr<SerialDevice> device, Clock& clock, Operator& op,
                 Profile& settings, QWidget* dialogParent, IntSetting portSetting)
    : device_(std::move(device)), op_(op), dialog_(dialogParent),
      session_(*device_, clock, op, settings, dialog_, portSetting) {
    timer_.setInterval(static_cast<int>(NavSession::kTickPeriodMs));
    connect(&timer_, &QTimer::timeout, this, &NavPort::tick);
}

NavPort::NavPort(WindowContext& context, QWidget* dialogParent, IntSetting portSetting)
    : NavPort(context.makeDevice(), context.clock, context.op, context.settings, dialogParent,
              portSetting) {}

bool NavPort::close() {
    endCast();
    return session_.close();
}

void NavPort::startCast() {
    if (!session_.enabled())
        return;
    session_.startCast();
    casting_ = true;
    timer_.start();
}

void NavPort::endCast() {
    casting_ = false;
    timer_.stop();
}

void NavPort::tick() {
    NavTick outcome = NavTick::NoFix;
    if (!SequenceGuard::tryRun([this, &outcome] { outcome = session_.tick(); }))
        return;
    if (outcome != NavTick::Alarm)
        return;
    // The message is shown outside the guard, so that the data timer keeps logging while
    // it stands open.
    timer_.stop();
    op_.message(kNoNavDataText, kNoNavDataCaption, Icon::Stop);
    session_.dropPending();
    if (casting_)
        timer_.start();
}

} // namespace halcyx
