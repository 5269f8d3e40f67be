#pragma once

#include <QByteArray>
#include <QIODevice>

namespace vantrel {

// Qt's JPEG and BMP readers fill in whatever a cut-off file lacks and report success; this
// check tells such a file from a whole one. It reads the device from its start. Formats whose
// length can't be known ahead (PNG, whose reader fails by itself, and compressed BMP) pass.
bool pictureDataComplete(const QByteArray& format, QIODevice& device);

} // namespace vantrel
