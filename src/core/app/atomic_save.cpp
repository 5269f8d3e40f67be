#include "core/app/atomic_save.h"

#include <QSaveFile>

#include <cerrno>

namespace vantrel {

namespace {

// A short write leaves QSaveFile with no error of its own; errno still has the cause.
QString reasonOf(const QFileDevice& file, int savedErrno)
{
    if (file.error() != QFileDevice::NoError && file.errorString() != QLatin1String("Unknown error"))
        return file.errorString();
    return savedErrno != 0 ? qt_error_string(savedErrno) : file.errorString();
}

} // namespace

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
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file, SaveCannotCreate);
    qint64 written = 0;
    while (written < bytes.size()) {
        errno = 0;
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return fail(file, SaveWriteFailed); // the temporary file goes with `file`
        written += step;
    }
    errno = 0;
    if (!file.commit())
        return fail(file, SaveWriteFailed);
    return Saved;
}

} // namespace vantrel
