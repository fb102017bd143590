#include "OpenAddress.h"

#include "ArgumentResolution.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace zendrix {

namespace {

// "http://, https://, ... or dvd://", from the schemes the player takes.
QString schemesText()
{
    QStringList schemes;
    for (const QString& scheme : uriSchemes())
        schemes << scheme + QStringLiteral("://");
    const QString last = schemes.takeLast();
    return schemes.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

AddressCheck refused(const QString& problem)
{
    return {QString(), problem};
}

} // namespace

AddressCheck checkOpenAddress(const QString& text)
{
    const QString address = text.trimmed();
    if (address.isEmpty())
        return refused(QStringLiteral("Type or paste an address, such as http://radio.example/stream."));
    if (address.size() > kMaxAddressLength)
        return refused(QStringLiteral("This address is too long."));
    for (const QChar c : address) {
        if (c.category() == QChar::Other_Control)
            return refused(QStringLiteral("An address cannot hold line breaks or other control characters."));
    }
    static const QRegularExpression schemePattern(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const QRegularExpressionMatch scheme = schemePattern.match(address);
    const QString wanted = QStringLiteral("An address begins with %1.").arg(schemesText());
    if (!scheme.hasMatch())
        return refused(wanted);
    if (!uriSchemes().contains(scheme.captured(1).toLower()))
        return refused(
            QStringLiteral("Zendrix does not open %1: addresses. %2").arg(scheme.captured(1), wanted));
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return refused(QStringLiteral("This is not a valid address (%1).").arg(url.errorString()));
    if (url.isLocalFile()) {
        if (url.toLocalFile().isEmpty())
            return refused(QStringLiteral("A file:// address names a file, as in file:///home/me/song.mp3."));
    } else if (url.scheme().compare(QLatin1String("dvd"), Qt::CaseInsensitive) != 0 && url.host().isEmpty()) {
        return refused(QStringLiteral("This address names no server."));
    }
    return {address, QString()};
}

} // namespace zendrix
