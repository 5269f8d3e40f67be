#pragma once

#include "core/app/app_settings.h"
#include "core/app/error_text.h"
#include "core/imaging/mono_conversion.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace vantrel {

// Result codes of a registration; each is the number of the Errors item shown for it.
enum PanelResult : int {
    PanelOk = 0,
    PanelCantOpen = 1,
    PanelSizeUnknown = 2,
    PanelNotDescription = 4,
};

ErrorItem panelErrorItem(PanelResult result);

// Frames larger than this, or views larger than MaxPanelViewSide, would only exhaust memory.
inline constexpr int MaxPanelSide = 256;
inline constexpr int MaxPanelViewSide = 4096;

// One device model as a .pnl file describes it; the keys and defaults are the settings file's.
struct PanelDescription : PanelModel
{
    // Only entries below each count come from the file.
    BacklightLevels levels;
};

// Reads a description from the device's current position to its end. A file whose first line
// is exactly "[FileType]" must have "Type=vantrel_PanelImage" as its second; any other first
// line skips that test. A frame side outside 1..MaxPanelSide, or an info or view rectangle that
// is empty or wider or taller than MaxPanelViewSide, refuses the file. `out` is replaced only
// on PanelOk.
PanelResult readPanelDescription(QIODevice& device, PanelDescription& out);
PanelResult readPanelDescription(const QByteArray& bytes, PanelDescription& out);
// A path that is no regular file is never opened: a folder can't be opened, a pipe has no size.
PanelResult readPanelDescriptionFile(const QString& path, PanelDescription& out);

// A registration: the panel keys replace the settings' panel state; level entries at or above
// a channel's count keep what they held.
void applyPanelDescription(const PanelDescription& description, AppSettings& settings);

} // namespace vantrel
