#include "PlaylistFile.h"

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>

namespace zendrix {

namespace {

constexpr qsizetype kChunkBytes = 64 * 1024;

QString decodeLine(QByteArrayView bytes, bool cut)
{
    if (!cut)
        return QString::fromLocal8Bit(bytes);
    // The cut may fall inside a character of several bytes. A decoder that is never flushed keeps that
    // partial character to itself instead of showing it as a replacement mark.
    QStringDecoder decoder(QStringDecoder::System);
    return decoder.decode(bytes);
}

// Splits a playlist file's bytes into its name and entries as they arrive. A line may span any number
// of chunks, and so may the CR LF that ends it.
class LineSplitter
{
public:
    // Takes the next chunk; false once the list is full and the file goes on past it.
    bool feed(const char* data, qsizetype size)
    {
        qsizetype pos = 0;
        while (pos < size) {
            if (m_skipLineFeed) {
                m_skipLineFeed = false;
                if (data[pos] == '\n') {
                    ++pos;
                    continue;
                }
            }
            if (!m_inLine && m_haveName && m_read.playlist.entries.size() == kMaxPlaylistEntries) {
                m_read.entriesLeftOut = true;
                return false;
            }
            m_inLine = true;
            const char* const lineEnd =
                std::find_if(data + pos, data + size, [](char c) { return c == '\r' || c == '\n'; });
            const qsizetype end = lineEnd - data;
            const QByteArrayView piece(data + pos, end - pos);
            pos = end;
            if (end == size) {
                keep(piece);
                break;
            }
            if (m_line.isEmpty() && !m_lineCut) {
                endLine(piece);  // the whole line is in this chunk: no copy
            } else {
                keep(piece);
                endLine(m_line);
            }
            m_skipLineFeed = data[pos] == '\r';
            ++pos;
        }
        return true;
    }

    // The file has ended: a last line without a line end counts as it stands.
    void finish()
    {
        if (m_inLine)
            endLine(m_line);
    }

    PlaylistRead take() { return std::move(m_read); }

private:
    void keep(QByteArrayView piece)
    {
        const qsizetype room = kMaxPlaylistLineBytes - m_line.size();
        if (piece.size() > room) {
            m_lineCut = true;
            piece = piece.first(room);
        }
        m_line.append(piece);
    }

    void endLine(QByteArrayView bytes)
    {
        bool cut = m_lineCut;
        if (bytes.size() > kMaxPlaylistLineBytes) {
            cut = true;
            bytes = bytes.first(kMaxPlaylistLineBytes);
        }
        QString text = decodeLine(bytes, cut);
        m_read.linesCut = m_read.linesCut || cut;
        if (m_haveName) {
            m_read.playlist.entries.append(std::move(text));
        } else {
            m_read.playlist.name = std::move(text);
            m_haveName = true;
        }
        m_line.resize(0);
        m_lineCut = false;
        m_inLine = false;
    }

    PlaylistRead m_read;
    QByteArray m_line;            // the part of the current line seen in earlier chunks
    bool m_inLine = false;        // some byte of the current line has been seen
    bool m_lineCut = false;       // the current line has passed the length limit
    bool m_skipLineFeed = false;  // the last line ended with a CR: a LF right after it belongs to it
    bool m_haveName = false;
};

PlaylistRead failed(const QString& description)
{
    PlaylistRead read;
    read.failure = description;
    return read;
}

QString quoted(const QString& path)
{
    return QLatin1Char('\'') + QDir::toNativeSeparators(path) + QLatin1Char('\'');
}

}  // namespace

PlaylistRead readPlaylist(QIODevice& input)
{
    LineSplitter splitter;
    QByteArray buffer(kChunkBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = input.read(buffer.data(), buffer.size());
        if (got < 0) {
            const QString why = input.errorString();
            return failed(why.isEmpty() ? QStringLiteral("The file could not be read") : why);
        }
        if (got == 0)
            break;
        if (!splitter.feed(buffer.constData(), got))
            return splitter.take();
    }
    splitter.finish();
    return splitter.take();
}

PlaylistRead readPlaylistFile(const QString& path)
{
    QFile file;
    const RegularFileOpening opening = openRegularFile(path, file);
    switch (opening.result) {
    case RegularFileOpening::Result::Opened:
        return readPlaylist(file);
    case RegularFileOpening::Result::Missing:
        return failed(QStringLiteral("File not found: ") + quoted(path));
    case RegularFileOpening::Result::NotRegularFile:
        // A device or a pipe could be read forever, or block before the first byte.
        return failed(QStringLiteral("Not a playlist file: ") + quoted(path));
    case RegularFileOpening::Result::Failed:
        break;
    }
    return failed(opening.error);
}

QByteArray playlistFileBytes(const Playlist& playlist)
{
    qsizetype estimate = playlist.name.size() + 2;
    for (const QString& entry : playlist.entries)
        estimate += entry.size() + 2;
    QByteArray bytes;
    bytes.reserve(estimate + estimate / 8);

    const auto writeLine = [&bytes](const QString& text) {
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
            QString oneLine = text;
            oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            bytes.append(oneLine.toLocal8Bit());
        } else {
            bytes.append(text.toLocal8Bit());
        }
        bytes.append("\r\n", 2);
    };
    writeLine(playlist.name);
    for (const QString& entry : playlist.entries)
        writeLine(entry);
    return bytes;
}

std::optional<QString> savePlaylistFile(const QString& path, const Playlist& playlist)
{
    return writeFileAtomicallyExplained(path, playlistFileBytes(playlist));
}

}  // namespace zendrix
