#pragma once

#include <QString>
#include <memory>

namespace zendrix {

// One running instance per installed program and user. The first instance holds a claim named after its
// program folder; a second start of the same program finds it taken. The claim is an abstract local
// socket name: it touches no file, so the second start writes nothing, and the system drops it when the
// holder ends, even after a crash.
class SingleInstance
{
public:
    // Claims the program folder; nothing when another instance holds it. If the system gives no answer
    // either way, the claim is granted: a player that refuses to start is worse than a second window.
    [[nodiscard]] static std::unique_ptr<SingleInstance> claim(const QString& programFolder);
    ~SingleInstance();

    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

private:
    explicit SingleInstance(int socket) : m_socket(socket) {}
    int m_socket;
};

}  // namespace zendrix
