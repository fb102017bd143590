// The readers of other players' playlists. The input's first byte picks the format; the rest is the
// file. Any bytes give entries that are each an absolute path or an address without a NUL or a line
// break, no more of them than the limit, and for M3U and PLS no more than the text has lines.
#include "Fuzz.h"
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
    const QStringList entries = foreignPlaylistEntries(bytes, format, folder, choice & 4);
    check(entries.size() <= kMaxForeignEntries, "the entries are bounded");
    for (const QString& entry : entries) {
        check(entry.startsWith(QLatin1Char('/')) || isAddress(entry), "an entry is a path or an address");
        check(!entry.contains(QChar(0)) && !entry.contains(QLatin1Char('\r')) &&
                  !entry.contains(QLatin1Char('\n')),
              "an entry holds no NUL and no line break");
    }
    if (format != ForeignFormat::Xspf) {
        // Each line gives one entry at most, whatever the encoding the text is read in.
        const qsizetype lineEnds = bytes.count('\n') + bytes.count('\r') + 1;
        check(entries.size() <= lineEnds, "no more entries than lines");
    }
    return 0;
}
