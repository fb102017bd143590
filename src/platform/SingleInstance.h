#pragma once

#include "UniqueFd.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <memory>

namespace zendrix {

// One running instance per installed program and user. The first start of a program folder holds a claim
// on it; a later start of the same folder finds it taken and hands its message (its arguments) to the
// holder instead, over a local socket that the holder listens on.
//
// Where the claim lives: in the user's runtime folder ($XDG_RUNTIME_DIR, which only its user may enter),
// in its folder "zendrix", as a lock file and a socket named after the program folder. Holding the lock
// is holding the claim; the system lets go of it when the holder ends, even by a crash or an exit at
// once, and the next holder removes the socket such an end left behind. Where the user has no such folder
// (the variable is unset, the folder is not the user's alone, or a socket's address cannot hold its
// path), the claim is an abstract socket name instead: a name that lives only in the kernel, but that any
// user may take first.
// A name held by another user's process is not our player, so a start moves on to the next of a few
// names, and starts unclaimed when other users hold them all.
//
// A later start writes nothing: while a holder runs, everything it meets exists already. Both sides check
// that the other end of a connection belongs to the same user.
class SingleInstance
{
public:
    // Claims the program folder; nothing when an instance of this user holds it. If the system gives no
    // answer either way, the claim is granted, without a socket: a player that refuses to start is worse
    // than a second window.
    [[nodiscard]] static std::unique_ptr<SingleInstance> claim(const QString& programFolder);

    // A start's first step: claims the program folder, or, while another instance of the same user holds
    // it, hands `message` to that one: connects, writes its length and then the message, and waits for
    // the holder's receipt (kHandOverReceipt), which comes once the holder has read the message whole. Tries
    // again while the holder is not listening yet, is busy with earlier starts, or closes the connection
    // without a receipt (it may be ending: then the next try takes the claim), for at most `patience` in all;
    // then gives up, having neither (nothing in `instance`, `handedOver` false). Holds no locks while it
    // waits and writes nothing.
    struct Start
    {
        std::unique_ptr<SingleInstance> instance;
        bool handedOver = false;
    };
    [[nodiscard]] static Start claimOrHandOver(const QString& programFolder, const QByteArray& message,
                                               std::chrono::milliseconds patience);

    // The abstract names tried, in this order, where there is no runtime folder; the first is the name
    // that earlier versions of the player used alone.
    static constexpr int kAbstractNames = 4;
    [[nodiscard]] static QByteArray abstractName(const QString& programFolder, int index);

    // Lets go of the claim: the socket file goes first, the lock last, so that a start in between waits
    // for the lock rather than finding a socket no one listens on.
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // The listening socket, owned by the instance; -1 when the claim was granted without one.
    int socket() const { return m_socket.get(); }

private:
    SingleInstance(UniqueFd lock, UniqueFd socket, QByteArray socketPath);
    friend class Rendezvous;

    UniqueFd m_lock;
    UniqueFd m_socket;
    QByteArray m_socketPath;
};

// A hand-over on the connection: the message's length in bytes as a 32-bit little-endian number, then the
// message. The holder answers with kHandOverReceipt once it has the message whole; a sender that stops
// short, for whatever reason, has handed nothing over.
inline constexpr qsizetype kHandOverLengthBytes = 4;
inline constexpr char kHandOverReceipt = '\x06';

}  // namespace zendrix
