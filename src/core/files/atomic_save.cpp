#include "core/files/atomic_save.h"

#include "core/files/anim_result.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace vantrel {

namespace {

QString reasonOf(const QFileDevice& file, int savedErrno)
{
    if (file.error() != QFileDevice::NoError && file.errorString() != QLatin1String("Unknown error"))
        return file.errorString();
    return savedErrno != 0 ? QString::fromLocal8Bit(std::strerror(savedErrno)) : file.errorString();
}

} // namespace

QString systemErrorText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

int saveBytesAtomically(const QString& path, const QByteArray& bytes, QString* reason)
{
    auto fail = [&](const QSaveFile& file, int code) {
        const int savedErrno = errno;
        if (reason)
            *reason = reasonOf(file, savedErrno);
        return code;
    };
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile can lose a failed flush and still commit a short file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file, AnimCantOpen);
    qint64 written = 0;
    while (written < bytes.size()) {
        errno = 0;
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return fail(file, AnimWriteFailed); // the temporary file goes with `file`
        written += step;
    }
    errno = 0;
    if (!file.commit())
        return fail(file, AnimWriteFailed);
    return AnimOk;
}

} // namespace vantrel
