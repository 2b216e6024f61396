#include "platform/thread.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "platform/wait_hook.h"

namespace {

constexpr auto WAIT_SLICE = std::chrono::milliseconds(10);
constexpr int IDLE_NICE = 19;

// SCHED_IDLE where allowed, otherwise the weakest nice value. Raising back may be refused to
// an unprivileged process (RLIMIT_NICE), in which case the thread stays low.
bool ApplyPriority(int tid, ThreadPriority priority) {
    sched_param param{};
    param.sched_priority = 0;
    if (priority == ThreadPriority::IDLE) {
        if (sched_setscheduler(tid, SCHED_IDLE, &param) == 0) return true;
        return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), IDLE_NICE) == 0;
    }
    const bool policy = sched_setscheduler(tid, SCHED_OTHER, &param) == 0;
    const bool nice = setpriority(PRIO_PROCESS, static_cast<id_t>(tid), 0) == 0;
    return policy && nice;
}

}  // namespace

Thread::~Thread() {
    if (m_thread.joinable()) m_thread.join();
}

void Thread::Start(std::function<void()> body, ThreadPriority priority) {
    if (m_thread.joinable()) m_thread.join();
    m_done = false;
    m_tid = 0;
    m_priority = priority;
    m_thread = std::thread([this, body = std::move(body)] { Run(body); });
}

void Thread::Run(const std::function<void()>& body) {
    {
        // The thread lowers itself, so that no window exists in which its id is unknown.
        std::lock_guard lock(m_mutex);
        m_tid = gettid();
        if (m_priority == ThreadPriority::IDLE) ApplyPriority(m_tid, m_priority);
    }
    body();
    std::lock_guard lock(m_mutex);
    m_done = true;
    m_ended.notify_all();
}

bool Thread::WaitFor(uint32_t millis) {
    if (!m_thread.joinable()) return true;
    using Clock = std::chrono::steady_clock;
    const WaitHook hook = GetWaitHook();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(millis);
    std::unique_lock lock(m_mutex);
    while (!m_done) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline) return false;
        const Clock::time_point until = hook ? std::min(deadline, now + WAIT_SLICE) : deadline;
        m_ended.wait_until(lock, until, [this] { return m_done; });
        if (!m_done && hook) {
            lock.unlock();
            hook();
            lock.lock();
        }
    }
    lock.unlock();
    m_thread.join();
    return true;
}

void Thread::Wait() {
    if (m_thread.joinable()) m_thread.join();
}

bool Thread::SetPriority(ThreadPriority priority) {
    std::lock_guard lock(m_mutex);
    m_priority = priority;
    // Before the body runs, the thread applies m_priority itself; after its end the id may
    // already belong to another thread.
    if (m_tid == 0 || m_done) return true;
    return ApplyPriority(m_tid, priority);
}

void SleepMillis(uint32_t millis) {
    std::this_thread::sleep_for(std::chrono::milliseconds(millis));
}
