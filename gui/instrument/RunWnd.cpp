#include "gui/instrument/RunWnd.h"

#include "core/instrument/RunSession.h"
#include "gui/app/SequenceGuard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace halcyx {

namespace {
const QString kOff = QStringLiteral("OFF");
constexpr int kFieldMinChars = 32;
} // namespace

RunWnd::RunWnd(const QString& title, int tickMs, QWidget* parent)
    : QDialog(parent), form_(new QFormLayout) {
    setWindowTitle(title);
    timer_.setInterval(tickMs);
    // A tick waits while a command sequence talks to the port; the next takes it up.
    connect(&timer_, &QTimer::timeout, this, [this] { SequenceGuard::tryRun([this] { tick(); }); });
}

QLineEdit* RunWnd::addField(const QString& caption, bool on) {
    auto* edit = new QLineEdit(this);
    edit->setReadOnly(true);
    edit->setObjectName(caption);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * kFieldMinChars);
    if (!on)
        edit->setText(kOff);
    form_->addRow(caption, edit);
    return edit;
}

QLineEdit* RunWnd::field(const QString& caption) const {
    return findChild<QLineEdit*>(caption, Qt::FindDirectChildrenOnly);
}

void RunWnd::finishSetUp(RunSession& session, std::size_t closingReadBytes) {
    session_ = &session;
    closingReadBytes_ = closingReadBytes;
    logging_ = addField(QStringLiteral("Logging Data to File:"), true);
    showLogging();

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &RunWnd::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addLayout(buttons);
    timer_.start();
}

void RunWnd::showLogging() {
    if (logging_ && session_)
        logging_->setText(QString::fromStdString(session_->loggingText()));
}

void RunWnd::done(int result) {
    timer_.stop();
    if (session_)
        std::exchange(session_, nullptr)->stop(closingReadBytes_);
    QDialog::done(result);
}

} // namespace halcyx
