// Threads that signal their end, so that the waiting side can give up after a time, and that
// can run at idle priority. Priority changes are best effort: a refusal is ignored.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

enum class ThreadPriority { NORMAL, IDLE };

class Thread {
public:
    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    ~Thread();  // waits for the end

    // Starts the body on a new thread. The previous thread must have been waited for.
    void Start(std::function<void()> body, ThreadPriority priority = ThreadPriority::NORMAL);
    // True from Start until the thread has been waited for (even if its body has returned).
    bool Started() const { return m_thread.joinable(); }

    // Waits at most `millis` for the end; true when the thread has ended and is waited for.
    // The wait hook, if any, is called between short slices so that a window keeps painting.
    bool WaitFor(uint32_t millis);
    // Waits without limit.
    void Wait();

    // Whether the change took; the system may refuse to raise a priority once lowered.
    bool SetPriority(ThreadPriority priority);

private:
    void Run(const std::function<void()>& body);

    std::thread m_thread;
    std::mutex m_mutex;  // guards the three fields below
    std::condition_variable m_ended;
    bool m_done = false;
    int m_tid = 0;  // kernel thread id once the body runs; 0 before
    ThreadPriority m_priority = ThreadPriority::NORMAL;
};

void SleepMillis(uint32_t millis);
