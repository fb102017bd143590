#pragma once

// What every fuzz target shares. FuzzInput cuts a fuzzer's input into the pieces a target needs: small fields
// first, then the rest. Every input, however short, gives some pieces: a field asked past the end is empty.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zendrix::fuzz {

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
    {}

    // One byte as a number; 0 past the end.
    unsigned byte()
    {
        if (m_at >= m_bytes.size())
            return 0;
        return static_cast<unsigned char>(m_bytes[m_at++]);
    }
    // The next `count` bytes (fewer at the end).
    QByteArray take(qsizetype count)
    {
        const qsizetype got = std::min(count, m_bytes.size() - m_at);
        const QByteArray piece = m_bytes.sliced(m_at, got).toByteArray();
        m_at += got;
        return piece;
    }
    QByteArray rest() { return take(m_bytes.size() - m_at); }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

// A property of the code under test; when it fails, the input that broke it is the fuzzer's finding.
inline void check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// The lines of a file, split at CR LF, a lone CR or a lone LF; a last line without an end counts when it
// holds anything. Written here afresh, so that a check does not lean on the code it checks.
QList<QByteArray> linesOf(const QByteArray& bytes);

// Qt's warnings about damaged input are expected by the thousand; they would only slow the run.
void silenceQtMessages();

} // namespace zendrix::fuzz
