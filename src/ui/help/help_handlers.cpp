#include "ui/app/tform1.h"

#include "core/help/local_pages.h"
#include "ui/app/tform1_controls.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The numbers the shell's "open" reports, which the box shows as users of the program know them.
constexpr int FileNotFound = 2;
constexpr int NoAssociation = 31; // no application opens the help file

QUrl pageUrl(const QString& address, const QString& language)
{
    const QUrl url(address);
    if (!url.isLocalFile())
        return url;
    return QUrl::fromLocalFile(vantrel::pageInLanguage(url.toLocalFile(), language));
}

} // namespace

void TForm1::connectHelpHandlers()
{
    connect(ui_->abbHelp, &QToolButton::clicked, this, &TForm1::abbHelpClick);
    connect(ui_->abbHPAccess, &QToolButton::clicked, this, &TForm1::abbHPAccessClick);
    connect(ui_->abbGetPImage, &QToolButton::clicked, this, &TForm1::abbGetPImageClick);
}

void TForm1::abbHelpClick()
{
    // The program's folder, not the current one: the help is found wherever the program starts.
    const QString help = QDir(paths_.programFolder).absoluteFilePath(QLatin1String(vantrel::HelpPageName));
    const QString page = vantrel::pageInLanguage(help, catalogue_.language);
    int error = 0;
    if (!QFileInfo::exists(page))
        error = FileNotFound;
    else if (!dialogs_->openUrl(QUrl::fromLocalFile(page)))
        error = NoAssociation;
    if (error != 0)
        dialogs_->showMessage(this, QStringLiteral("Error"),
                              QStringLiteral("Error:") + QString::number(error), MessageIcon::None);
}

void TForm1::abbHPAccessClick()
{
    // A page that does not open is not reported.
    dialogs_->openUrl(pageUrl(settings_.animeUrl, catalogue_.language));
}

void TForm1::abbGetPImageClick()
{
    dialogs_->openUrl(pageUrl(settings_.panelUrl, catalogue_.language));
}
