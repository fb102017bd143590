// The message a second start hands to the running player. Any bytes either decode to a hand-over that
// encodes back to exactly those bytes, or are refused; and any hand-over made of the input's pieces
// reads back as it was made.
#include "Fuzz.h"
#include "core/HandOver.h"

using namespace zendrix;
using namespace zendrix::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<HandOver> decoded = decodeHandOver(bytes)) {
        check(decoded->workingFolder.startsWith(QLatin1Char('/')), "the working folder is absolute");
        check(decoded->arguments.size() <= kMaxHandOverArguments, "the arguments are bounded");
        check(decoded->activationToken.isEmpty() || isActivationToken(decoded->activationToken),
              "a token is one");
        check(encodeHandOver(*decoded) == bytes, "a message is the only encoding of what it carries");
    }

    // The input's pieces, cut at its NUL bytes: the first the folder, the last the token when it can be
    // one, the rest arguments.
    QList<QByteArray> pieces = bytes.split('\0');
    HandOver made{QLatin1Char('/') + QString::fromUtf8(pieces.takeFirst()), {}, {}};
    if (!pieces.isEmpty() && isActivationToken(QString::fromUtf8(pieces.last())))
        made.activationToken = QString::fromUtf8(pieces.takeLast());
    for (const QByteArray& piece : pieces)
        made.arguments.append(QString::fromUtf8(piece));
    const std::optional<QByteArray> message = encodeHandOver(made);
    check(message.has_value(), "a hand-over within the limits encodes");
    check(decodeHandOver(*message) == made, "a hand-over reads back as it was made");
    return 0;
}
