#include "picture_fuzz_entry.h"

#include <QLoggingCategory>

#include <cstdlib>

// Qt's image handlers warn about every damaged input; the result codes are what is checked.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (vantrel::fuzz::runPictureInput(data, size) != 0)
        std::abort();
    return 0;
}
