#include "core/app/shift_jis_codec.h"

#include <iconv.h>

#include <cerrno>

namespace vantrel {
namespace {

class IconvConverter
{
public:
    IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvConverter()
    {
        if (isOpen())
            iconv_close(handle_);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool isOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<QByteArray> convert(const QByteArray& input, qsizetype initialCapacity)
    {
        if (!isOpen())
            return std::nullopt;
        QByteArray output(qMax<qsizetype>(initialCapacity, 16), Qt::Uninitialized);
        QByteArray in = input; // iconv wants a mutable input pointer
        char* inPtr = in.data();
        size_t inLeft = static_cast<size_t>(in.size());
        qsizetype written = 0;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);

        // A null input flushes the shift state once the bytes are done.
        bool flushing = false;
        for (;;) {
            char* outPtr = output.data() + written;
            size_t outLeft = static_cast<size_t>(output.size() - written);
            const size_t result = flushing ? iconv(handle_, nullptr, nullptr, &outPtr, &outLeft)
                                           : iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            written = outPtr - output.data();
            if (result != static_cast<size_t>(-1)) {
                if (flushing)
                    break;
                flushing = true;
                continue;
            }
            if (errno != E2BIG)
                return std::nullopt; // EILSEQ or EINVAL: not convertible
            output.resize(output.size() * 2);
        }
        output.truncate(written);
        return output;
    }

private:
    iconv_t handle_;
};

} // namespace

std::optional<QString> decodeShiftJis(const QByteArray& bytes)
{
    IconvConverter converter("UTF-8", "CP932");
    // One Shift-JIS byte never needs more than three UTF-8 bytes.
    const auto utf8 = converter.convert(bytes, bytes.size() * 3);
    if (!utf8)
        return std::nullopt;
    return QString::fromUtf8(*utf8);
}

std::optional<QByteArray> encodeShiftJis(QStringView text)
{
    IconvConverter converter("CP932", "UTF-8");
    const QByteArray utf8 = text.toUtf8();
    return converter.convert(utf8, utf8.size());
}

} // namespace vantrel
