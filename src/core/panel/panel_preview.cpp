#include "core/panel/panel_preview.h"

#include "core/imaging/bitmap.h"

namespace vantrel {

QImage panelViewImage(const QImage& mono, const BacklightLevels& levels, std::uint8_t code, QSize view)
{
    // Tinting the small frame before stretching touches four palette entries, not every pixel.
    QImage tinted = mono;
    SetPanelPalette(tinted, levels, code);
    return FitToView(tinted, view);
}

} // namespace vantrel
