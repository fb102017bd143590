#pragma once

#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace zendrix::test {

// A sequential device that hands out at most `step` bytes per read, so that lines and the two bytes of a
// CR LF fall across reads.
class Trickle : public QIODevice
{
public:
    Trickle(const QByteArray& bytes, qint64 step) : m_bytes(bytes), m_step(step)
    {
        open(ReadOnly | Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = std::min({maxSize, m_step, qint64(m_bytes.size()) - m_at});
        std::memcpy(data, m_bytes.constData() + m_at, std::size_t(count));
        m_at += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_step;
    qint64 m_at = 0;
};

} // namespace zendrix::test
