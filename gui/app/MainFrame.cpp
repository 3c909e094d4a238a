#include "gui/app/MainFrame.h"

#include "gui/app/ClientWnd.h"
#include "gui/app/SequenceGuard.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QStackedWidget>

namespace halcyx {

namespace {

// The frame leaves this much of the screen's height free below it [px].
constexpr int kBottomMarginPx = 20;

QString iconPath(int resource) {
    return QStringLiteral(":/icons/icon%1.svg").arg(resource);
}

} // namespace

MainFrame::MainFrame(ClientWnd* config, ClientWnd* acq, ClientWnd* modAcq, QWidget* parent)
    : QMainWindow(parent), stack_(new QStackedWidget(this)), clients_{config, acq, modAcq} {
    for (ClientWnd* client : clients_)
        stack_->addWidget(client);
    setCentralWidget(stack_);
}

void MainFrame::setClient(ClientKind client) {
    stack_->setCurrentWidget(clients_[static_cast<int>(client)]);
    refreshCommandStates();
}

ClientWnd* MainFrame::client() const {
    return static_cast<ClientWnd*>(stack_->currentWidget());
}

void MainFrame::setMenu(MenuId menu) {
    menu_ = menu;
    menuEntries_ = menuResource(menu);
    installMenu();
}

void MainFrame::removeMenuCommand(int command) {
    if (removeCommand(menuEntries_, command))
        installMenu();
}

void MainFrame::setIcon(int iconResource) {
    icon_ = iconResource;
    setWindowIcon(QIcon(iconPath(iconResource)));
}

void MainFrame::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void MainFrame::installMenu() {
    actions_.clear();
    auto* bar = new QMenuBar(this);
    addEntries(menuEntries_, bar);
    setMenuBar(bar); // deletes the previous bar with its menus and actions
    refreshCommandStates();
}

void MainFrame::addEntries(const std::vector<MenuItem>& entries, QWidget* into) {
    for (const MenuItem& entry : entries) {
        switch (entry.kind) {
        case MenuItem::Kind::Separator:
            if (auto* menu = qobject_cast<QMenu*>(into))
                menu->addSeparator();
            break;
        case MenuItem::Kind::Command:
            addCommand(entry, into);
            break;
        case MenuItem::Kind::Popup: {
            auto* popup = new QMenu(QString::fromStdString(entry.text), into);
            connect(popup, &QMenu::aboutToShow, this, &MainFrame::refreshCommandStates);
            addEntries(entry.items, popup);
            if (auto* bar = qobject_cast<QMenuBar*>(into))
                bar->addMenu(popup);
            else
                static_cast<QMenu*>(into)->addMenu(popup);
            break;
        }
        }
    }
}

QAction* MainFrame::addCommand(const MenuItem& entry, QWidget* into) {
    auto* action = new QAction(QString::fromStdString(entry.text), into);
    const int command = entry.command;
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    into->addAction(action);
    actions_.insert(command, action);
    return action;
}

void MainFrame::runCommand(int command) {
    // Input waits while a sequence sleeps, so this only guards against programmatic calls.
    if (SequenceGuard::busy())
        return;
    if (!(handler_ && handler_(command)) && client())
        client()->onCommand(command);
    refreshCommandStates();
}

void MainFrame::refreshCommandStates() {
    ClientWnd* current = client();
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        const int command = it.key();
        const CommandState state = cmd::isApplicationCommand(command) || !current
                                       ? CommandState{}
                                       : current->commandState(command);
        it.value()->setEnabled(state.enabled);
        it.value()->setCheckable(state.checked);
        it.value()->setChecked(state.checked);
    }
}

QRect MainFrame::initialGeometry(const QRect& available) {
    return {available.topLeft(),
            QSize(available.width(), std::max(0, available.height() - kBottomMarginPx))};
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (SequenceGuard::busy() || (closeCheck_ && !closeCheck_())) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace halcyx
