#pragma once

#include "core/app/app_settings.h"
#include "core/panel/panel_description.h"

#include <cstddef>
#include <cstdint>

namespace vantrel::fuzz {

// Reads arbitrary bytes as a panel description and checks what must hold for any input.
// 0 when it does; otherwise the number of the broken rule.
inline int runPnlInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    PanelDescription description;
    description.panelFile = QStringLiteral("untouched");
    const int result = readPanelDescription(bytes, description);

    // Bytes in memory always open and have a size.
    if (result != PanelOk && result != PanelNotDescription)
        return 1;
    if (result != PanelOk)
        return description.panelFile == u"untouched" ? 0 : 2;

    // Whatever is accepted makes frames and views that can exist.
    const auto sound = [](const PanelRect& r) {
        return r[2] >= r[0] && r[3] >= r[1] && qint64(r[2]) - r[0] < MaxPanelViewSide &&
               qint64(r[3]) - r[1] < MaxPanelViewSide;
    };
    if (description.panelWidth < 1 || description.panelWidth > MaxPanelSide || description.panelHeight < 1 ||
        description.panelHeight > MaxPanelSide || !sound(description.infoRect) ||
        !sound(description.viewRect))
        return 3;
    for (const ChannelLevels* channel :
         {&description.levels.red, &description.levels.green, &description.levels.blue})
        if (channel->count < 0 || channel->count > 4)
            return 4;

    // Registering replaces the levels the file gives and keeps the rest.
    AppSettings settings;
    const std::array<int, 4> earlier{-1, -2, -3, -4};
    for (ChannelLevels* channel : {&settings.levels.red, &settings.levels.green, &settings.levels.blue})
        channel->levels = earlier;
    applyPanelDescription(description, settings);
    if (settings.panelWidth != description.panelWidth || settings.viewRect != description.viewRect)
        return 5;
    const ChannelLevels* given[] = {&description.levels.red, &description.levels.green,
                                    &description.levels.blue};
    const ChannelLevels* kept[] = {&settings.levels.red, &settings.levels.green, &settings.levels.blue};
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t k = 0; k < 4; ++k) {
            const bool read = static_cast<int>(k) < given[c]->count;
            if (kept[c]->levels[k] != (read ? given[c]->levels[k] : earlier[k]))
                return 6;
        }
    }
    return 0;
}

} // namespace vantrel::fuzz
