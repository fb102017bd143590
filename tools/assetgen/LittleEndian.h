#pragma once

#include <QByteArray>

namespace zendrix::assetgen {

// A 16-bit word as ICO and GIF files store it: low byte first.
inline void putWord(QByteArray& out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

} // namespace zendrix::assetgen
