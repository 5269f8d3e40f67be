#pragma once

#include "core/app/ini_profile.h"

#include <cstddef>
#include <cstdint>

namespace vantrel::fuzz {

// Parses arbitrary bytes, reads and writes a few keys, and checks what must hold for any input.
// 0 when it does; otherwise the number of the broken rule.
inline int runIniInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniProfile ini = IniProfile::fromBytes(bytes);

    // Untouched, a profile gives back exactly the bytes it was read from.
    if (ini.toBytes() != bytes)
        return 1;

    const QString mainForm = QStringLiteral("MainForm");
    const QString red = QStringLiteral("Red");
    const QString caption = ini.readString(mainForm, QStringLiteral("Caption"), QString());
    const int top = ini.readInt(mainForm, QStringLiteral("Top"), 100);
    const bool initMax = ini.readBool(mainForm, QStringLiteral("InitMax"), false);
    const int colors = ini.readInt(red, QStringLiteral("Colors"), 4);

    // Text from the input itself, so that written values meet every character the decoders give.
    QString head = caption.left(8);
    if (!head.isEmpty() && head.back().isHighSurrogate())
        head.chop(1); // half a character cannot be stored
    const QString value = QStringLiteral("背景色") + head + QStringLiteral("\r\n\t ");
    ini.writeString(mainForm, QStringLiteral("Caption"), value);
    ini.writeInt(mainForm, QStringLiteral("Top"), top ^ 1);
    ini.writeBool(mainForm, QStringLiteral("InitMax"), !initMax);
    ini.writeInt(red, QStringLiteral("Colors"), colors);
    ini.writeString(QStringLiteral("Fuzz Section"), QStringLiteral("Key"), QStringLiteral("value"));

    // Line breaks are flattened and blanks around a value are not kept.
    QString expected = value;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    while (!expected.isEmpty() && (expected.back() == u' ' || expected.back() == u'\t'))
        expected.chop(1);

    // What was written reads back, both at once and after a round trip through bytes.
    const auto holdsWrites = [&](const IniProfile& profile) {
        return profile.readString(QStringLiteral("MAINFORM"), QStringLiteral("caption"), QString()) ==
                   expected &&
               profile.readInt(mainForm, QStringLiteral("Top"), 0) == (top ^ 1) &&
               profile.readBool(mainForm, QStringLiteral("InitMax"), initMax) == !initMax &&
               profile.readInt(red, QStringLiteral("Colors"), 0) == colors &&
               profile.readString(QStringLiteral("fuzz section"), QStringLiteral("KEY"), QString()) ==
                   u"value";
    };
    if (!holdsWrites(ini))
        return 2;
    if (!holdsWrites(IniProfile::fromBytes(ini.toBytes())))
        return 3;
    return 0;
}

} // namespace vantrel::fuzz
