#include "core/app/app_settings.h"

#include "core/help/local_pages.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace vantrel {
namespace {

constexpr int MaxLevelCount = 4;

struct RectKeys
{
    const char* left;
    const char* top;
    const char* right;
    const char* bottom;
};

// "InfoBottm" is how the files in the field spell it.
constexpr RectKeys InfoKeys{"InfoLeft", "InfoTop", "InfoRight", "InfoBottm"};
constexpr RectKeys ViewKeys{"ViewLeft", "ViewTop", "ViewRight", "ViewBottom"};

PanelRect readRect(const IniProfile& ini, const RectKeys& keys, const PanelRect& defaults)
{
    const QString panel = QStringLiteral("Panel");
    return {ini.readInt(panel, QLatin1String(keys.left), defaults[0]),
            ini.readInt(panel, QLatin1String(keys.top), defaults[1]),
            ini.readInt(panel, QLatin1String(keys.right), defaults[2]),
            ini.readInt(panel, QLatin1String(keys.bottom), defaults[3])};
}

void writeRect(IniProfile& ini, const RectKeys& keys, const PanelRect& rect)
{
    const QString panel = QStringLiteral("Panel");
    ini.writeInt(panel, QLatin1String(keys.left), rect[0]);
    ini.writeInt(panel, QLatin1String(keys.top), rect[1]);
    ini.writeInt(panel, QLatin1String(keys.right), rect[2]);
    ini.writeInt(panel, QLatin1String(keys.bottom), rect[3]);
}

// Levels the file does not give stay 0, not the default of their index.
ChannelLevels readChannel(const IniProfile& ini, const QString& section)
{
    ChannelLevels channel;
    channel.levels = {0, 0, 0, 0};
    channel.count = std::min(ini.readInt(section, QStringLiteral("Colors"), MaxLevelCount), MaxLevelCount);
    for (int k = 0; k < channel.count; ++k)
        channel.levels[static_cast<size_t>(k)] =
            ini.readInt(section, QString::number(k), DefaultLevels[static_cast<size_t>(k)]);
    return channel;
}

void writeChannel(IniProfile& ini, const QString& section, const ChannelLevels& channel)
{
    const int count = std::min(channel.count, MaxLevelCount);
    ini.writeInt(section, QStringLiteral("Colors"), count);
    for (int k = 0; k < count; ++k)
        ini.writeInt(section, QString::number(k), channel.levels[static_cast<size_t>(k)]);
}

} // namespace

void readPanelModel(const IniProfile& ini, PanelModel& model)
{
    const QString panel = QStringLiteral("Panel");
    model.panelFile = ini.readString(panel, QStringLiteral("PanelFile"), model.panelFile);
    model.infoRect = readRect(ini, InfoKeys, model.infoRect);
    model.viewRect = readRect(ini, ViewKeys, model.viewRect);
    model.panelWidth = ini.readInt(panel, QStringLiteral("Width"), model.panelWidth);
    model.panelHeight = ini.readInt(panel, QStringLiteral("Height"), model.panelHeight);
    model.pixelWidth = ini.readInt(panel, QStringLiteral("PixelWidth"), model.pixelWidth);
    model.pixelHeight = ini.readInt(panel, QStringLiteral("PixelHeight"), model.pixelHeight);
    model.pixelSpace = ini.readInt(panel, QStringLiteral("PixelSpace"), model.pixelSpace);
}

AppSettings readSettings(const IniProfile& ini, const QString& defaultDir, const QString& pictureDir)
{
    AppSettings s;
    const QString mainForm = QStringLiteral("MainForm");
    s.top = ini.readInt(mainForm, QStringLiteral("Top"), s.top);
    s.left = ini.readInt(mainForm, QStringLiteral("Left"), s.left);
    s.caption = ini.readString(mainForm, QStringLiteral("Caption"), s.caption);
    s.initMax = ini.readBool(mainForm, QStringLiteral("InitMax"), s.initMax);
    s.smoothCut = ini.readBool(mainForm, QStringLiteral("SmoothCut"), s.smoothCut);

    readPanelModel(ini, s);

    const QString directory = QStringLiteral("Directory");
    s.dirPicIn =
        ini.readString(directory, QStringLiteral("DirPicIn"), pictureDir.isEmpty() ? defaultDir : pictureDir);
    s.dirImg = ini.readString(directory, QStringLiteral("DirImg"), defaultDir);
    s.dirPanelIn = ini.readString(directory, QStringLiteral("DirPanelIn"), defaultDir);

    const QString url = QStringLiteral("URL");
    s.panelUrl = ini.readString(url, QStringLiteral("PanelURL"), localPageUrl(defaultDir, PanelsPageName));
    s.animeUrl =
        ini.readString(url, QStringLiteral("AnimeURL"), localPageUrl(defaultDir, AnimationsPageName));

    s.levels.red = readChannel(ini, QStringLiteral("Red"));
    s.levels.green = readChannel(ini, QStringLiteral("Green"));
    s.levels.blue = readChannel(ini, QStringLiteral("Blue"));

    const QString exporting = QStringLiteral("Export");
    s.exportChoices.scale = ini.readInt(exporting, QStringLiteral("Scale"), s.exportChoices.scale);
    s.exportChoices.dots = ini.readBool(exporting, QStringLiteral("Dots"), s.exportChoices.dots);
    s.exportChoices.faceplate =
        ini.readBool(exporting, QStringLiteral("Faceplate"), s.exportChoices.faceplate);
    return s;
}

void writeSettings(IniProfile& ini, const AppSettings& s)
{
    const QString mainForm = QStringLiteral("MainForm");
    ini.writeInt(mainForm, QStringLiteral("Top"), s.top);
    ini.writeInt(mainForm, QStringLiteral("Left"), s.left);
    ini.writeString(mainForm, QStringLiteral("Caption"), s.caption);
    ini.writeBool(mainForm, QStringLiteral("InitMax"), s.initMax);
    ini.writeBool(mainForm, QStringLiteral("SmoothCut"), s.smoothCut);

    const QString panel = QStringLiteral("Panel");
    ini.writeString(panel, QStringLiteral("PanelFile"), s.panelFile);
    writeRect(ini, InfoKeys, s.infoRect);
    writeRect(ini, ViewKeys, s.viewRect);
    ini.writeInt(panel, QStringLiteral("Width"), s.panelWidth);
    ini.writeInt(panel, QStringLiteral("Height"), s.panelHeight);
    ini.writeInt(panel, QStringLiteral("PixelWidth"), s.pixelWidth);
    ini.writeInt(panel, QStringLiteral("PixelHeight"), s.pixelHeight);
    ini.writeInt(panel, QStringLiteral("PixelSpace"), s.pixelSpace);

    const QString directory = QStringLiteral("Directory");
    ini.writeString(directory, QStringLiteral("DirPicIn"), s.dirPicIn);
    ini.writeString(directory, QStringLiteral("DirImg"), s.dirImg);
    ini.writeString(directory, QStringLiteral("DirPanelIn"), s.dirPanelIn);

    // The web addresses change only by hand.
    writeChannel(ini, QStringLiteral("Red"), s.levels.red);
    writeChannel(ini, QStringLiteral("Green"), s.levels.green);
    writeChannel(ini, QStringLiteral("Blue"), s.levels.blue);

    const QString exporting = QStringLiteral("Export");
    ini.writeInt(exporting, QStringLiteral("Scale"), s.exportChoices.scale);
    ini.writeBool(exporting, QStringLiteral("Dots"), s.exportChoices.dots);
    ini.writeBool(exporting, QStringLiteral("Faceplate"), s.exportChoices.faceplate);
}

QString settingsFilePath(const QString& executablePath, const QString& configDir, bool programDirWritable)
{
    const QFileInfo program(executablePath);
    const QString fileName = program.completeBaseName() + QStringLiteral(".INI");
    // A copy left in the configuration folder must not hide the file beside the program.
    if (programDirWritable || configDir.isEmpty())
        return QDir(program.absolutePath()).filePath(fileName);
    return QDir(configDir).filePath(fileName);
}

QString settingsFilePath(const QString& executablePath)
{
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QFileInfo programDir(QFileInfo(executablePath).absolutePath());
    return settingsFilePath(executablePath, configDir, programDir.isWritable());
}

} // namespace vantrel
