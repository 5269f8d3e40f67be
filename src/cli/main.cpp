#include "cli/cli_args.h"
#include "cli/cli_commands.h"
#include "cli/cli_export.h"

#include <QGuiApplication>

#include <cstdio>

namespace vantrel::cli {

void reportError(const QString& message)
{
    QString line = QStringLiteral("vantrel-cli: ") + message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fputs(line.toLocal8Bit().append('\n').constData(), stderr);
}

namespace {

// Qt's own notes (a missing runtime folder of the offscreen platform, ...) would break the
// one-line error rule; only a fatal message gets through.
void quietMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        reportError(message);
}

} // namespace

} // namespace vantrel::cli

int main(int argc, char** argv)
{
    using namespace vantrel::cli;
    // No window is ever shown: never depend on a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessageHandler);
    // Qt sees the program name only, so that no argument is taken as one of its own options.
    char programName[] = "vantrel-cli";
    char* qtArgv[] = {programName, nullptr};
    int qtArgc = 1;
    QGuiApplication app(qtArgc, qtArgv);

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CliRequest request = parseArguments(arguments);
    if (!request.error.isEmpty()) {
        reportError(request.error + QStringLiteral(" (try --help)"));
        return ExitUsage;
    }
    switch (request.command) {
    case Command::Help:
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return ExitOk;
    case Command::Version:
        std::fputs(versionText().toLocal8Bit().constData(), stdout);
        return ExitOk;
    case Command::Info:
        return runInfo(request);
    case Command::Render:
        return runRender(request);
    case Command::Make:
        return runMake(request);
    case Command::Export:
        return runExport(request);
    }
    return ExitUsage;
}
