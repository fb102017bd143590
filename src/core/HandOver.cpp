#include "HandOver.h"

#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>

namespace zendrix {

namespace {

constexpr char kMagic[] = {'Z', 'D', 'X', 'H'};
// Version 1 carries no activation token, version 2 one.
constexpr char kVersionWithoutToken = 1;
constexpr char kVersionWithToken = 2;
constexpr qsizetype kHeaderBytes = 4 + 1 + 4;

void appendNumber(QByteArray& bytes, quint32 value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

    std::optional<quint32> number()
    {
        if (m_bytes.size() - m_at < 4)
            return std::nullopt;
        const quint32 value = qFromLittleEndian<quint32>(m_bytes.data() + m_at);
        m_at += 4;
        return value;
    }

    std::optional<QString> text()
    {
        const std::optional<quint32> size = number();
        if (!size || *size > static_cast<quint64>(m_bytes.size() - m_at))
            return std::nullopt;
        const QByteArrayView bytes = m_bytes.sliced(m_at, *size);
        m_at += *size;
        if (bytes.contains('\0'))
            return std::nullopt;
        // A byte order mark at the start of a text is part of the text: it is kept as a character.
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        QString decoded = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        return decoded;
    }

    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = kHeaderBytes;
};

} // namespace

std::optional<QByteArray> encodeHandOver(const HandOver& handOver)
{
    if (handOver.arguments.size() > kMaxHandOverArguments)
        return std::nullopt;
    const bool withToken = !handOver.activationToken.isEmpty();
    if (withToken && !isActivationToken(handOver.activationToken))
        return std::nullopt;
    QByteArray bytes(kMagic, sizeof kMagic);
    bytes.append(withToken ? kVersionWithToken : kVersionWithoutToken);
    appendNumber(bytes, static_cast<quint32>(handOver.arguments.size()));
    auto appendText = [&bytes](const QString& text) {
        if (text.contains(QChar(0)))
            return false;
        const QByteArray utf8 = text.toUtf8();
        appendNumber(bytes, static_cast<quint32>(utf8.size()));
        bytes.append(utf8);
        return bytes.size() <= kMaxHandOverBytes;
    };
    if (!appendText(handOver.workingFolder) || (withToken && !appendText(handOver.activationToken)))
        return std::nullopt;
    for (const QString& argument : handOver.arguments) {
        if (!appendText(argument))
            return std::nullopt;
    }
    return bytes;
}

std::optional<HandOver> decodeHandOver(QByteArrayView message)
{
    if (message.size() < kHeaderBytes || message.size() > kMaxHandOverBytes ||
        !message.startsWith(QByteArrayView(kMagic, sizeof kMagic)) ||
        (message[4] != kVersionWithoutToken && message[4] != kVersionWithToken))
        return std::nullopt;
    const quint32 count = qFromLittleEndian<quint32>(message.data() + 5);
    // Every argument takes at least its four bytes of length: a count the message cannot hold is a lie.
    if (count > static_cast<quint32>(kMaxHandOverArguments) || count > (message.size() - kHeaderBytes) / 4)
        return std::nullopt;
    Reader reader(message);
    HandOver handOver;
    const std::optional<QString> folder = reader.text();
    if (!folder || !folder->startsWith(QLatin1Char('/')))
        return std::nullopt;
    handOver.workingFolder = *folder;
    if (message[4] == kVersionWithToken) {
        // A token that is empty or no token at all has its one encoding in version 1.
        std::optional<QString> token = reader.text();
        if (!token || !isActivationToken(*token))
            return std::nullopt;
        handOver.activationToken = std::move(*token);
    }
    handOver.arguments.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        std::optional<QString> argument = reader.text();
        if (!argument)
            return std::nullopt;
        handOver.arguments.append(std::move(*argument));
    }
    if (!reader.atEnd())
        return std::nullopt;
    return handOver;
}

bool isActivationToken(const QString& token)
{
    if (token.isEmpty() || token.toUtf8().size() > kMaxActivationTokenBytes)
        return false;
    return std::none_of(token.cbegin(), token.cend(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString launchActivationToken()
{
    for (const char* name : {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"}) {
        const QString token = qEnvironmentVariable(name);
        if (isActivationToken(token))
            return token;
    }
    return {};
}

} // namespace zendrix
