#include "core/imaging/mono_preview.h"

#include "core/imaging/bitmap.h"

namespace vantrel {

QImage tintedPreview(QImage mono, const BacklightLevels& levels, std::uint8_t colorCode, QSize view)
{
    SetPanelPalette(mono, levels, colorCode);
    return FitToView(mono, view);
}

QImage monoPreview(const QImage& colour, int dithering, const BacklightLevels& levels, std::uint8_t colorCode,
                   QSize view)
{
    return tintedPreview(MakeMono(colour, dithering), levels, colorCode, view);
}

} // namespace vantrel
