#pragma once

#include <QEventLoop>
#include <future>
#include <type_traits>

namespace zendrix {

// Runs `work` on a thread of its own and returns its result (or rethrows what it threw). Meanwhile this
// thread's event loop keeps the windows painted but holds back the user's input until the work is done,
// so the program never stalls on the disk and nothing the user does runs in between.
template <typename Work> std::invoke_result_t<Work> runAside(Work work)
{
    QEventLoop loop;
    auto task = std::async(std::launch::async, [&loop, &work] {
        // However the work ends, the loop is told; a quit posted before the loop runs waits for it.
        struct QuitWhenDone
        {
            QEventLoop& loop;
            ~QuitWhenDone() { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); }
        } quit{loop};
        return work();
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return task.get();
}

} // namespace zendrix
