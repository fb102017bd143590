#include "OpenAddress.h"

#include "Addresses.h"

#include <QStringList>
#include <QUrl>

namespace zendrix {

namespace {

// "http://, https://, ... or dvd://", from the schemes the player takes.
QString schemesText()
{
    QStringList schemes;
    for (const QString& scheme : playableSchemes())
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
    const QString wanted = QStringLiteral("An address begins with %1.").arg(schemesText());
    const QString scheme = QUrl(address).scheme();
    if (!scheme.isEmpty() && !playableSchemes().contains(scheme.toLower()))
        return refused(QStringLiteral("Zendrix does not open %1: addresses. %2").arg(scheme, wanted));
    if (!isAddress(address))
        return refused(wanted);
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return refused(QStringLiteral("This is not a valid address (%1).").arg(url.errorString()));
    if (url.isLocalFile()) {
        if (url.toLocalFile().isEmpty())
            return refused(QStringLiteral("A file:// address names a file, as in file:///home/me/song.mp3."));
    } else if (url.scheme().compare(QLatin1String("dvd"), Qt::CaseInsensitive) != 0 && url.host().isEmpty()) {
        return refused(QStringLiteral("This address names no server."));
    }
    // Whatever else the one rule for addresses refuses, this dialog refuses too.
    if (!isPlayableAddress(address))
        return refused(wanted);
    return {address, QString()};
}

} // namespace zendrix
