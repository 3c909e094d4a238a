#pragma once

#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QString>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

class QDialog;
class QWidget;

namespace halcyx::test {

// The application object every widget test needs; made once, offscreen unless the
// environment chose a platform.
QApplication& guiApp();

// A fixture base that has the application object made before any member widget.
class GuiTest : public ::testing::Test {
protected:
    GuiTest() { guiApp(); }
};

// When HALCYX_SCREENSHOTS names a folder, writes a PNG of the widget there as NAME.png
// (the class name, with a suffix for a state: "ConfigWnd-vexa3"). The widget is shown first
// if it is hidden; its window is painted as it stands.
void screenshot(QWidget& widget, const QString& name);

// The shown top-level window of class W, if there is one.
template <class W> W* shownWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<W*>(window); found && found->isVisible())
            return found;
    return nullptr;
}

// Acts on the next modal dialog once it is shown (its exec() has started).
void whenModalOpens(std::function<void(QDialog&)> act);
// Acts on the first modal dialog that `matches` once it is shown, however many others open
// and close before it.
void whenModalOpens(std::function<bool(QDialog&)> matches, std::function<void(QDialog&)> act);

} // namespace halcyx::test
