#pragma once

#include "core/app/error_text.h"
#include "core/imaging/mono_conversion.h"
#include "core/panel/lit_panel.h"
#include "core/panel/panel_description.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace vantrel {

enum class ExportFormat { Gif, Apng, SpriteSheet, Mp4, WebM };

// By the file name's extension, in any case: .gif, .apng, .png (a sprite sheet), .mp4 (H.264),
// .webm (VP9).
std::optional<ExportFormat> exportFormatOf(const QString& path);

enum ExportResult : int {
    ExportOk = 0,
    ExportNoFrames = 1,
    ExportSizesDiffer = 2,    // the frames are not all of one size
    ExportBadOptions = 3,     // scale or delay out of range
    ExportTooLarge = 4,       // the pictures would exceed the limits below
    ExportPictureMissing = 5, // the faceplate picture can't be read
    ExportEncoderFailed = 6,
    ExportUnknownFormat = 7,
    ExportWriteFailed = 8,
};

// The window's error box item for a failed export; a missing faceplate picture shows as the
// number of its item.
ErrorItem exportErrorItem(int result);

inline constexpr int MaxExportScale = 16;
inline constexpr int MinExportDelayMs = 10;
inline constexpr int MaxExportDelayMs = 10000;
inline constexpr int MaxExportSide = 16384;
inline constexpr qint64 MaxExportPixels = qint64{1} << 28; // all frames of an animation together

struct ExportOptions
{
    // Pixels a side of each dot's square, 1..MaxExportScale; with `dots`, the pitch across, the
    // rows following the dots' shape.
    int scale = 4;
    // Rounded dots with smoothed edges on a dark gap, shaped as the panel description's or else
    // as dotGeometry says.
    bool dots = false;
    DotGeometry dotGeometry;
    std::uint8_t colorCode = 0x3F;
    BacklightLevels levels;
    int delayMs = 100; // each frame's, MinExportDelayMs..MaxExportDelayMs
    // With a description, each frame is its faceplate picture (the file at panelPicture) scaled
    // by `scale` without interpolation, the frame stretched into the view rectangle and the info
    // rectangle in its tinted levels, as the faceplate view shows them.
    std::optional<PanelDescription> panel;
    QString panelPicture;
};

// One frame as exported: 24-bit (Format_RGB888). Null when the faceplate picture can't be read,
// the options are out of range or the picture would be too large.
QImage renderExportFrame(const QImage& monoFrame, const ExportOptions& options);

// Mono frames (2-bit indexed; other depths: their top two bits) as a GIF or APNG animation that
// loops forever, as a video that plays them once (sides padded with the gap colour to the even
// sizes its encoder needs), or as a PNG sprite sheet: the frames left to right, top to bottom in
// ceil(sqrt(n)) columns with 1-pixel StripGapColour gaps. GIF and APNG are indexed: exact for
// the panel's levels and gap; a faceplate picture is reduced to the rest of its 256 colours.
// `out` is replaced only on ExportOk; `reason` gets the encoder's or writer's reason for a failure.
int exportAnimation(const QList<QImage>& monoFrames, ExportFormat format, const ExportOptions& options,
                    QByteArray& out, QString* reason = nullptr);

// The same in the format the file name's extension names, saved atomically: a failure leaves
// any existing file as it was.
int exportAnimationFile(const QList<QImage>& monoFrames, const QString& path, const ExportOptions& options,
                        QString* reason = nullptr);

} // namespace vantrel
