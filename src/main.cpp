#include "core/app/app_paths.h"
#include "core/app/catalogue.h"
#include "core/app/ini_profile.h"
#include "core/app/qt_translation.h"
#include "core/files/recovery_copy.h"
#include "ui/app/qt_user_dialogs.h"
#include "ui/app/tform1.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

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
    vantrel::AppPaths paths = vantrel::appPathsForExecutable(QCoreApplication::applicationFilePath());
    paths.recoveryFolder = vantrel::recoveryFolder(qEnvironmentVariable("XDG_STATE_HOME"), QDir::homePath());
    // Qt's own dialogs and buttons speak the catalogue's language, not the system's.
    QTranslator qtTexts;
    const QString language =
        vantrel::loadCatalogue(vantrel::IniProfile::fromFile(paths.catalogueFile)).language;
    if (vantrel::loadQtTranslation(qtTexts, language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    TForm1 window(paths, std::make_unique<QtUserDialogs>());
    window.show();
    window.offerRecovery();
    return QApplication::exec();
}
