// Draws the default faceplate resources/panel/Panel.bmp and writes its description Panel.pnl:
//   vantrel_make_faceplate resources/panel
// A plain device front: a rounded body, the info strip over a dark display window, a few keys.
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr QSize PictureSize(292, 214);
// Inclusive corners, as the description gives them.
constexpr QRect InfoRect(QPoint(45, 60), QPoint(247, 96));
constexpr QRect ViewRect(QPoint(45, 97), QPoint(247, 151));

QImage drawFaceplate()
{
    QImage picture(PictureSize, QImage::Format_RGB888);
    picture.fill(QColor(64, 64, 64)); // the colour of the box the picture sits in
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient body(0, 0, 0, PictureSize.height());
    body.setColorAt(0, QColor(206, 210, 216));
    body.setColorAt(1, QColor(150, 156, 166));
    painter.setPen(QPen(QColor(90, 94, 102), 2));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(3, 3, PictureSize.width() - 6, PictureSize.height() - 6), 28, 28);

    // Speaker slots above the display.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(96, 100, 108));
    for (int i = 0; i < 7; ++i)
        painter.drawRoundedRect(QRectF(104 + i * 12, 22, 6, 22), 3, 3);

    // Bezel around the info strip and the display window.
    painter.setBrush(QColor(40, 42, 48));
    painter.drawRoundedRect(QRectF(InfoRect.left() - 9, InfoRect.top() - 9, InfoRect.width() + 18,
                                   ViewRect.bottom() - InfoRect.top() + 19),
                            10, 10);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The info strip: light ground with status marks, so that the backlight tint shows on it.
    painter.fillRect(InfoRect, QColor(200, 200, 200));
    painter.setBrush(QColor(60, 60, 60));
    for (int i = 0; i < 4; ++i) // signal bars
        painter.drawRect(InfoRect.left() + 8 + i * 7, InfoRect.bottom() - 8 - i * 5, 4, 4 + i * 5);
    painter.drawRect(InfoRect.right() - 40, InfoRect.top() + 12, 28, 13); // battery
    painter.drawRect(InfoRect.right() - 12, InfoRect.top() + 16, 3, 5);
    painter.setBrush(QColor(130, 130, 130));
    painter.drawRect(InfoRect.right() - 37, InfoRect.top() + 15, 14, 7);
    for (int i = 0; i < 5; ++i) // a row of dots in the middle
        painter.drawEllipse(QPoint(InfoRect.center().x() - 24 + i * 12, InfoRect.center().y()), 3, 3);

    painter.fillRect(ViewRect, QColor(24, 30, 26));

    // Keys below the display: a rocker between two round keys, and two small ones.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(80, 84, 92), 1.5));
    painter.setBrush(QColor(230, 232, 236));
    painter.drawEllipse(QRectF(52, 166, 30, 30));
    painter.drawEllipse(QRectF(210, 166, 30, 30));
    painter.drawRoundedRect(QRectF(110, 170, 72, 22), 11, 11);
    painter.setBrush(QColor(120, 126, 136));
    painter.drawEllipse(QRectF(20, 100, 12, 12));
    painter.drawEllipse(QRectF(260, 100, 12, 12));
    painter.end();
    return picture;
}

QByteArray description()
{
    auto rect = [](const char* prefix, const char* bottomKey, const QRect& r) {
        return QStringLiteral("%1Left=%2\r\n%1Top=%3\r\n%1Right=%4\r\n%5=%6\r\n")
            .arg(QLatin1String(prefix))
            .arg(r.left())
            .arg(r.top())
            .arg(r.right())
            .arg(QLatin1String(bottomKey))
            .arg(r.bottom());
    };
    QString text =
        QStringLiteral("[FileType]\r\nType=vantrel_PanelImage\r\n\r\n[Panel]\r\nPanelFile=Panel.bmp\r\n");
    text += rect("Info", "InfoBottm", InfoRect) + rect("View", "ViewBottom", ViewRect);
    text += QStringLiteral("Width=160\r\nHeight=54\r\nPixelWidth=46\r\nPixelHeight=34\r\nPixelSpace=12\r\n");
    for (const char* channel : {"Red", "Green", "Blue"})
        text += QStringLiteral("\r\n[%1]\r\nColors=4\r\n0=0\r\n1=85\r\n2=170\r\n3=255\r\n")
                    .arg(QLatin1String(channel));
    return text.toLatin1();
}

bool save(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool savePicture(const QString& path, const QImage& picture)
{
    QSaveFile file(path);
    QImageWriter writer(&file, "bmp");
    return file.open(QIODevice::WriteOnly) && writer.write(picture) && file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: vantrel_make_faceplate FOLDER\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!folder.mkpath(QStringLiteral(".")) ||
        !savePicture(folder.filePath(QStringLiteral("Panel.bmp")), drawFaceplate()) ||
        !save(folder.filePath(QStringLiteral("Panel.pnl")), description())) {
        std::fprintf(stderr, "could not write into %s\n", qPrintable(folder.path()));
        return 1;
    }
    return 0;
}
