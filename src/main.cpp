#include "ui/app/tform1.h"

#include <QApplication>

#include <cstdio>

namespace {

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    // Qt aborts with a long message when no display is found; one clear line helps more.
    if (!displayAvailable()) {
        std::fputs("vantrel: no display available; run it under a virtual one: xvfb-run -a vantrel\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    TForm1 window;
    window.show();
    return QApplication::exec();
}
