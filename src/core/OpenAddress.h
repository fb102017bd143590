#pragma once

#include <QString>

namespace zendrix {

// What the Open URL dialog makes of the text typed or pasted into it. The blanks around it go; what is
// left is taken only when it is an address of a scheme the player's command line takes (file, http,
// https, rtsp, mms, dvd), well formed, of a sane length and without control characters. Otherwise
// `problem` says, in a sentence a user reads in the dialog, why it is refused.
struct AddressCheck
{
    QString address; // "" when refused
    QString problem; // "" when taken
};
AddressCheck checkOpenAddress(const QString& text);

// Longer than any stream address or path; anything longer is refused unread.
inline constexpr qsizetype kMaxAddressLength = 8192;

} // namespace zendrix
