#include "ui/app/tform1.h"

#include "core/help/local_pages.h"
#include "core/help/open_error.h"
#include "ui/app/tform1_controls.h"

#include <QDir>
#include <QFileInfo>

namespace {

using vantrel::OpenError;

QUrl pageUrl(const QString& address, const QString& language)
{
    const QUrl url(address);
    if (!url.isLocalFile())
        return url;
    return QUrl::fromLocalFile(vantrel::pageInLanguage(url.toLocalFile(), language));
}

void showOpenError(UserDialogs& dialogs, QWidget* owner, OpenError error, const QUrl& target,
                   const QString& noApplication)
{
    dialogs.showMessage(owner, QStringLiteral("Error"), vantrel::openErrorText(error, target, noApplication),
                        MessageIcon::None);
}

// A page that nothing opens would otherwise leave the user waiting for a browser.
void openOrReport(UserDialogs& dialogs, QWidget* owner, const QUrl& url, const QString& noApplication)
{
    if (!dialogs.openUrl(url))
        showOpenError(dialogs, owner, OpenError::NoApplication, url, noApplication);
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
    const QUrl page = QUrl::fromLocalFile(vantrel::pageInLanguage(help, catalogue_.language));
    if (!QFileInfo::exists(page.toLocalFile()))
        showOpenError(*dialogs_, this, OpenError::FileNotFound, page, catalogue_.noApplication);
    else
        openOrReport(*dialogs_, this, page, catalogue_.noApplication);
}

void TForm1::abbHPAccessClick()
{
    openOrReport(*dialogs_, this, pageUrl(settings_.animeUrl, catalogue_.language), catalogue_.noApplication);
}

void TForm1::abbGetPImageClick()
{
    openOrReport(*dialogs_, this, pageUrl(settings_.panelUrl, catalogue_.language), catalogue_.noApplication);
}
