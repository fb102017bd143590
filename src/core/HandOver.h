#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace zendrix {

// What a second start of the player hands to the running one: its arguments, the folder it was started
// from, so that relative paths mean what they meant to the user who typed them, and the token of the
// launch that started it, with which the running player may come to the front where the desktop keeps
// programs from taking the focus on their own.
//
// The message: the magic "ZDXH", a format version byte, the count of arguments as a 32-bit little-endian
// number, then texts, each a 32-bit little-endian byte count followed by that many bytes of UTF-8: the
// working folder, in version 2 the activation token, then each argument. A hand-over without a token is
// a version 1 message, with one a version 2 message, so that each has one encoding and a running player
// of an earlier version still reads what a start without a token sends. Nothing may follow. A message is
// at most kMaxHandOverBytes long and carries at most kMaxHandOverArguments arguments, so a hostile or
// broken sender costs the running player bounded memory and time.
struct HandOver
{
    QString workingFolder; // an absolute path
    QStringList arguments;
    // The launch's activation token (XDG_ACTIVATION_TOKEN, or the X11 startup id DESKTOP_STARTUP_ID),
    // empty when there was none; at most kMaxActivationTokenBytes of UTF-8, without control characters.
    QString activationToken = {};
    bool operator==(const HandOver&) const = default;
};

inline constexpr qsizetype kMaxHandOverBytes = 4 * 1024 * 1024;
inline constexpr int kMaxHandOverArguments = 32767;
inline constexpr qsizetype kMaxActivationTokenBytes = 1024;

// The message for a hand-over; nothing when it would pass either limit, a text holds a NUL or the token is
// not one.
[[nodiscard]] std::optional<QByteArray> encodeHandOver(const HandOver& handOver);

// The hand-over a message carries; nothing for anything that is not exactly a message as encoded above,
// within both limits, whose texts are valid UTF-8 without NUL characters, whose working folder is an
// absolute path and whose token, if it has one, is one.
[[nodiscard]] std::optional<HandOver> decodeHandOver(QByteArrayView message);

// Whether `token` can be an activation token: not empty, within kMaxActivationTokenBytes of UTF-8, and
// without control characters.
[[nodiscard]] bool isActivationToken(const QString& token);

// The token of the launch that started this process: DESKTOP_STARTUP_ID, which X11 programs are given,
// or else XDG_ACTIVATION_TOKEN; empty when neither holds one.
[[nodiscard]] QString launchActivationToken();

} // namespace zendrix
