#include "app/MainFrame.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    halcyx::MainFrame frame;
    frame.show();
    return app.exec();
}
