#pragma once

#include "core/files/recovery_copy.h"
#include "core/frames/frame_store.h"

#include <cstddef>
#include <cstdint>

namespace vantrel::fuzz {

// Reads arbitrary bytes as a recovery copy and checks what must hold for any input. 0 when it
// does; otherwise the number of the broken rule.
inline int runRecoveryInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    RecoveryContents read;
    read.colorCode = 0x2A; // a value no failed read may touch
    const RecoveryResult result = readRecoveryCopy(bytes, {256, 256}, read);
    if (result != RecoveryResult::Ok)
        return read.colour.isEmpty() && read.colorCode == 0x2A ? 0 : 1;

    // Whatever is accepted is a store the window can take.
    const int frames = int(read.colour.size());
    if (frames < 1 || frames > MaxFrames || read.mono.size() != frames || read.colorCode > 0x3F)
        return 2;
    for (int i = 0; i < frames; ++i) {
        if (read.colour[i].size() != read.panelSize || read.mono[i].size() != read.panelSize ||
            read.mono[i].format() != QImage::Format_Indexed8)
            return 3;
    }
    // And writing it again gives a copy that reads back the same.
    RecoveryContents again;
    if (readRecoveryCopy(writeRecoveryCopy(read), read.panelSize, again) != RecoveryResult::Ok ||
        again.colour != read.colour || again.mono != read.mono || again.colorCode != read.colorCode)
        return 4;
    return 0;
}

} // namespace vantrel::fuzz
