// Starts Trelvane: the OpenGL format first, then the main window.
#include <QApplication>

#include "app/window/main_window.h"
#include "platform/gl_format.h"

int main(int argc, char** argv) {
    platform::setDefaultGLFormat();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trelvane"));
    frmF1 window;
    window.show();
    return app.exec();
}
