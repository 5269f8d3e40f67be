#include "core/app/app_paths.h"
#include "ui/app/qt_user_dialogs.h"
#include "ui/app/tform1.h"

#include <QApplication>

#include <cstdio>
#include <memory>

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
        std::fputs("vantrel: no display available; run it under a virtual one: xvfb-run -a vantrel\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    TForm1 window(vantrel::appPathsForExecutable(QCoreApplication::applicationFilePath()),
                  std::make_unique<QtUserDialogs>());
    window.show();
    return QApplication::exec();
}
