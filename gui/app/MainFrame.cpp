#include "gui/app/MainFrame.h"

#include "gui/app/ClientWnd.h"
#include "gui/app/SequenceGuard.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTimer>

namespace halcyx {

namespace {

// The frame leaves this much of the screen's height free below it [px].
constexpr int kBottomMarginPx = 20;
// How long the window manager may take to frame the window; later moves are the
// operator's own [ms].
constexpr int kFramingWaitMs = 3000;

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

void MainFrame::showPlaced(const QRect& available) {
    placement_ = initialGeometry(available);
    resize(placement_.size());
    // move() places the frame, setGeometry() the client: placing the client at the corner
    // would push the title bar off the screen.
    move(placement_.topLeft());
    show();
    fitPlacement();
    QTimer::singleShot(kFramingWaitMs, this, [this] { placement_ = QRect(); });
}

void MainFrame::fitPlacement() {
    if (placement_.isNull())
        return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins margins(inner.left() - outer.left(), inner.top() - outer.top(),
                           outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QSize client = placement_.size().shrunkBy(margins).expandedTo(QSize(0, 0));
    if (size() != client)
        resize(client);
    if (pos() != placement_.topLeft())
        move(placement_.topLeft());
    // In place once a window manager has framed it; without one there are no margins to
    // wait for.
    if (!margins.isNull() && frameGeometry() == placement_)
        placement_ = QRect();
}

bool MainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)
        fitPlacement();
    return handled;
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (SequenceGuard::busy() || (closeCheck_ && !closeCheck_())) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace halcyx
