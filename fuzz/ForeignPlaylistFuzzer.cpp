// The readers of other players' playlists. The input's first byte picks the format; the rest is the
// file. Any bytes give entries that are each an absolute path or an address the player plays, without a
// NUL or a line break; every address handed back apart is one it refuses; no more of either than the
// limit, and for M3U and PLS no more than the text has lines.
#include "Fuzz.h"
#include "core/Addresses.h"
#include "core/ForeignPlaylist.h"

#include <QRegularExpression>

using namespace zendrix;
using namespace zendrix::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const unsigned choice = input.byte();
    const ForeignFormat format = choice % 3 == 0   ? ForeignFormat::M3u
                                 : choice % 3 == 1 ? ForeignFormat::Pls
                                                   : ForeignFormat::Xspf;
    const QByteArray bytes = input.rest();
    const QString folder = QStringLiteral("/music/lists");
    const ForeignEntries list = foreignPlaylistEntries(bytes, format, folder, choice & 4);
    const QStringList& entries = list.entries;
    check(entries.size() <= kMaxForeignEntries && list.refused.size() <= kMaxForeignEntries,
          "the entries are bounded");
    for (const QString& refused : list.refused)
        check(isAddress(refused) && !isPlayableAddress(refused), "only addresses the player refuses are refused");
    for (const QString& entry : entries) {
        check(entry.startsWith(QLatin1Char('/')) || isPlayableAddress(entry),
              "an entry is a path or an address the player plays");
        check(!entry.contains(QChar(0)) && !entry.contains(QLatin1Char('\r')) &&
                  !entry.contains(QLatin1Char('\n')),
              "an entry holds no NUL and no line break");
    }
    if (format != ForeignFormat::Xspf) {
        // Each line gives one entry at most, whatever the encoding the text is read in.
        const qsizetype lineEnds = bytes.count('\n') + bytes.count('\r') + 1;
        check(entries.size() + list.refused.size() <= lineEnds, "no more entries than lines");
    }
    return 0;
}
