#include "gui/terminal/CommWnd.h"

#include "core/acquisition/CastFiles.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"
#include "core/terminal/TerminalPort.h"
#include "core/terminal/TerminalText.h"
#include "gui/app/SequenceGuard.h"
#include "gui/terminal/JEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <cerrno>
#include <cstring>

namespace halcyx {

namespace {

const QString kSetupCaption = QStringLiteral("Communication Window Setup");
// The text area sits this far in from the dialog's sides [px].
constexpr int kSideMargin = 5;
constexpr char kCommandEnd = '\r';

} // namespace

CommWnd::CommWnd(CommPort& port, Operator& op, Profile& settings, QWidget* parent)
    : QDialog(parent), port_(port), op_(op), portDialog_(settings, kSetupCaption, this),
      text_(new JEdit(this)), commands_(new QComboBox(this)), baud_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Communications Window"));
    resize(640, 420);

    for (const std::string_view command : kStandardCommands)
        commands_->addItem(QString::fromLatin1(command.data(), command.size()));
    commands_->setCurrentIndex(0);
    connect(commands_, &QComboBox::activated, this, &CommWnd::sendStandardCommand);

    auto* portSetupButton = new QPushButton(QStringLiteral("Port Setup"), this);
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    portSetupButton->setAutoDefault(false);
    closeButton->setAutoDefault(false);
    connect(portSetupButton, &QPushButton::clicked, this, &CommWnd::portSetup);
    connect(closeButton, &QPushButton::clicked, this, &CommWnd::accept);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Standard Commands:"), this));
    controls->addWidget(commands_);
    controls->addSpacing(2 * kSideMargin);
    controls->addWidget(new QLabel(QStringLiteral("Baud Rate:"), this));
    controls->addWidget(baud_);
    controls->addStretch();
    controls->addWidget(portSetupButton);
    controls->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kSideMargin, kSideMargin, kSideMargin, kSideMargin);
    layout->addWidget(new QLabel(QStringLiteral("Communications Window:"), this));
    layout->addWidget(text_, 1);
    layout->addLayout(controls);

    text_->setSender([this](std::uint8_t byte) { port_.WriteByte(byte); });
    connect(text_, &JEdit::saveRequested, this, &CommWnd::saveText);

    timer_.setInterval(kTerminalTickMs);
    // A tick waits while a command sequence talks to the port; the next takes it up.
    connect(&timer_, &QTimer::timeout, this, [this] { SequenceGuard::tryRun([this] { tick(); }); });
    timer_.start();
    // The port's rate is the one the settings file gave it when its window opened it.
    showBaud(port_.baud());
    text_->setFocus();
}

QString CommWnd::baudText() const {
    return baud_->text();
}

void CommWnd::showBaud(std::uint32_t baud) {
    baud_->setText(QString::fromStdString(terminalBaudText(baud)));
}

void CommWnd::tick() {
    std::array<std::uint8_t, kTerminalReadBytes> buffer;
    const int n = port_.Read(buffer);
    if (n <= 0)
        return;
    const TerminalText shown = terminalText(std::span(buffer).first(static_cast<std::size_t>(n)));
    for (int i = 0; i < shown.beeps; ++i)
        op_.beep();
    text_->insertAtCaret(QString::fromLatin1(shown.text.data(), shown.text.size()));
}

void CommWnd::sendStandardCommand(int index) {
    const std::string command(standardCommandText(static_cast<std::size_t>(index)));
    (void)port_.WriteSlow(command + kCommandEnd, kStandardCommandCharMs);
    text_->insertAtCaret(QString::fromStdString(command) + QLatin1Char('\n'));
    text_->setFocus();
}

void CommWnd::portSetup() {
    timer_.stop();
    switch (terminalPortSetup(port_, op_, portDialog_)) {
    case TerminalSetupResult::PortFailed:
        // The terminal stays open without receiving.
        return;
    case TerminalSetupResult::Applied:
        showBaud(port_.baud());
        break;
    case TerminalSetupResult::Cancelled:
        break;
    }
    timer_.start();
    text_->setFocus();
}

void CommWnd::saveText() {
    const auto path =
        op_.chooseFile(saveFileRequest("Text files (*.TXT)|*.TXT|AllFiles (*.*)|*.*|", "TXT"));
    if (!path)
        return;
    // The text goes out byte for byte as it came in.
    if (!writeTextFile(*path, text_->toPlainText().toLatin1().toStdString()))
        op_.message("Error writing " + *path + ": " + std::strerror(errno), "File Error",
                    Icon::Stop);
}

void CommWnd::done(int result) {
    timer_.stop();
    QDialog::done(result);
}

} // namespace halcyx
