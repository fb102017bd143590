#pragma once

#include <QString>

namespace zendrix {

// What a stream says about itself (a station's name, its "now playing" text) comes from anyone on the
// network. Before the player shows it, control characters go, runs of blanks become one, and the text is
// cut to kMaxStreamText characters (never between the halves of a character outside the BMP).
inline constexpr qsizetype kMaxStreamText = 160;
QString sanitizedStreamText(const QString& text);

// The name an internet radio goes by while it plays: "Station - Artist - Title" from the station's name
// and its "now playing" text ("Artist - Title"), each sanitized; either alone when the other is missing
// or the same; "" when both are.
QString streamTitle(const QString& station, const QString& nowPlaying);

} // namespace zendrix
