#pragma once

#include "core/app/ini_profile.h"
#include "core/imaging/mono_conversion.h"

#include <QString>

#include <array>

namespace vantrel {

// Left, top, right, bottom; right and bottom inclusive.
using PanelRect = std::array<int, 4>;

// A device model's panel as the Panel section of the settings file and of a panel
// description gives it, with the same keys and defaults.
struct PanelModel
{
    QString panelFile = QStringLiteral("Panel.bmp");
    PanelRect infoRect{45, 60, 247, 96};
    PanelRect viewRect{45, 97, 247, 151};
    int panelWidth = 160;
    int panelHeight = 54;
    int pixelWidth = 46;
    int pixelHeight = 34;
    int pixelSpace = 12;
};

// The Panel section's keys, each defaulting to the model's value.
void readPanelModel(const IniProfile& ini, PanelModel& model);

// How the window exports: the dot pitch, the device's dots, the registered faceplate.
struct ExportChoices
{
    int scale = 4;
    bool dots = true;
    bool faceplate = false;
    bool operator==(const ExportChoices&) const = default;
};

// Everything the settings file keeps between runs.
struct AppSettings : PanelModel
{
    int top = 100;
    int left = 100;
    QString caption = QStringLiteral("Default Caption");
    bool initMax = false;
    bool smoothCut = false; // cuts scaled by area averaging instead of nearest pixels

    QString dirPicIn, dirImg, dirPanelIn;
    // By default the pages shipped in the program's folder, which say where to find them.
    QString panelUrl, animeUrl;

    BacklightLevels levels;
    ExportChoices exportChoices;
};

// Reads every key in file order; defaultDir, the program's folder, stands in for the three
// folders' default and holds the pages the two web addresses default to. pictureDir, when given,
// is the default of the pictures' folder instead.
AppSettings readSettings(const IniProfile& ini, const QString& defaultDir, const QString& pictureDir = {});

// Writes every key but the two web addresses, which only a hand edit changes.
void writeSettings(IniProfile& ini, const AppSettings& settings);

// Where the settings file lives: the program's path with ".INI" while the program's folder is
// writable, else the same file name in the user's configuration folder.
QString settingsFilePath(const QString& executablePath);

// The same choice with the surroundings given: the configuration folder and whether the
// program's folder takes new files.
QString settingsFilePath(const QString& executablePath, const QString& configDir, bool programDirWritable);

} // namespace vantrel
