#include "tests/gui/GuiTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>

namespace halcyx::test {

QApplication& guiApp() {
    static int argc = 1;
    static char name[] = "halcyx-tests";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit, destroying it after the test library's own input devices
    // crashes, and nothing is left to clean up by then.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void screenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("HALCYX_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    if (!widget.isVisible())
        widget.show();
    QApplication::processEvents();
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(widget.grab().save(file)) << "could not write " << file.toStdString();
}

void whenModalOpens(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no modal dialog opened";
        act(*dialog);
    });
}

void whenModalOpens(std::function<bool(QDialog&)> matches, std::function<void(QDialog&)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout,
                     [poll, matches = std::move(matches), act = std::move(act)] {
                         auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                         if (!dialog || !matches(*dialog))
                             return;
                         poll->stop();
                         poll->deleteLater();
                         act(*dialog);
                     });
    poll->start(0);
}

} // namespace halcyx::test
