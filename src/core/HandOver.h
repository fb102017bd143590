#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace zendrix {

// What a second start of the player hands to the running one: its arguments and the folder it was
// started from, so that relative paths mean what they meant to the user who typed them.
//
// The message: the magic "ZDXH", a format version byte (1), the count of arguments as a 32-bit
// little-endian number, then the working folder and each argument as a 32-bit little-endian byte count
// followed by that many bytes of UTF-8. Nothing may follow. A message is at most kMaxHandOverBytes long
// and carries at most kMaxHandOverArguments arguments, so a hostile or broken sender costs the running
// player bounded memory and time.
struct HandOver
{
    QString workingFolder; // an absolute path
    QStringList arguments;
    bool operator==(const HandOver&) const = default;
};

inline constexpr qsizetype kMaxHandOverBytes = 4 * 1024 * 1024;
inline constexpr int kMaxHandOverArguments = 32767;

// The message for a hand-over; nothing when it would pass either limit or a text holds a NUL.
[[nodiscard]] std::optional<QByteArray> encodeHandOver(const HandOver& handOver);

// The hand-over a message carries; nothing for anything that is not exactly a message as encoded above,
// within both limits, whose texts are valid UTF-8 without NUL characters and whose working folder is an
// absolute path.
[[nodiscard]] std::optional<HandOver> decodeHandOver(QByteArrayView message);

} // namespace zendrix
