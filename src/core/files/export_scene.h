#pragma once

#include "core/files/anim_export.h"
#include "core/imaging/color_reduction.h"
#include "core/panel/lit_panel.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

namespace vantrel {

// What every exported frame shares: its size, where the lit panel goes and the faceplate around
// it, 24-bit and, for animations, in palette indexes (the lit panel's entries first, then the picture
// reduced to the rest of 256 colours).
struct ExportScene
{
    QSize size;
    QRect view;
    Palette4 tints{};
    std::optional<DotGeometry> dots; // none: square blocks
    QImage backdrop;                 // Format_RGB888; null without a faceplate
    QImage indexedBackdrop;          // Format_Indexed8; null without a faceplate or when not asked for
};

// ExportOk, or the result code that refuses the options for frames of that size.
int buildExportScene(QSize frameSize, const ExportOptions& options, bool indexed, ExportScene& out);

// A frame of the scene, Format_Indexed8 or Format_RGB888; null when memory ran out.
QImage renderSceneFrame(const ExportScene& scene, const QImage& mono, bool indexed);

} // namespace vantrel
