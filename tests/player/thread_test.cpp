#include "platform/thread.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>

#include "platform/tick.h"
#include "platform/wait_hook.h"

namespace {

std::atomic<int> g_hookCalls{0};
std::atomic<int> g_hookOffThread{0};
std::thread::id g_waitingThread;

void CountingHook() {
    ++g_hookCalls;
    if (std::this_thread::get_id() != g_waitingThread) ++g_hookOffThread;
}

struct HookInstalled {
    HookInstalled() {
        g_hookCalls = 0;
        g_hookOffThread = 0;
        g_waitingThread = std::this_thread::get_id();
        SetWaitHook(&CountingHook);
    }
    ~HookInstalled() { SetWaitHook(nullptr); }
};

}  // namespace

TEST(Thread, WaitForGivesUpAtItsTimeAndSucceedsOnceTheThreadHasEnded) {
    std::atomic<int> release{0};
    int result = 0;  // plain: visible to the waiting side through the wait alone
    Thread t;
    t.Start([&] {
        while (!release)
            SleepMillis(1);
        result = 42;
    });
    const uint32_t start = TickCount();
    EXPECT_FALSE(t.WaitFor(50));
    EXPECT_GE(TickCount() - start, 50u);
    EXPECT_TRUE(t.Started()) << "still to be waited for";
    release = 1;
    EXPECT_TRUE(t.WaitFor(60000));
    EXPECT_FALSE(t.Started());
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(t.WaitFor(0)) << "nothing left to wait for";
}

TEST(Thread, WaitWithoutLimitAndStartAgain) {
    Thread t;
    int runs = 0;
    for (int i = 0; i < 3; ++i) {
        t.Start([&runs] {
            SleepMillis(5);
            ++runs;
        });
        t.Wait();
        EXPECT_EQ(runs, i + 1);
    }
    // The destructor waits for a thread nobody waited for.
    std::atomic<int> done{0};
    {
        Thread u;
        u.Start([&done] {
            SleepMillis(20);
            done = 1;
        });
    }
    EXPECT_EQ(done, 1);
}

// While waiting with a hook installed, the waiting thread calls it between short slices, both
// when the thread ends within the time and when the time runs out; without a hook it blocks.
// The workers end on events, not on sleeps, so that a loaded machine cannot change the outcome.
TEST(Thread, WaitingCallsTheHookBetweenSlices) {
    {
        HookInstalled hook;
        Thread t;
        // Ends only once the waiting side has called the hook three times: the wait must go on
        // calling it until then.
        t.Start([] {
            while (g_hookCalls < 3)
                SleepMillis(1);
        });
        EXPECT_TRUE(t.WaitFor(60000));
        EXPECT_GE(g_hookCalls, 3);
        g_hookCalls = 0;
        std::atomic<int> release{0};
        t.Start([&release] {
            while (!release)
                SleepMillis(1);
        });
        EXPECT_FALSE(t.WaitFor(2000));
        EXPECT_GE(g_hookCalls, 1) << "slices of 10 ms in a 2 s wait";
        release = 1;
        t.Wait();
        EXPECT_EQ(g_hookOffThread, 0) << "the hook runs on the waiting thread";
    }
    g_hookCalls = 0;
    Thread t;
    t.Start([] { SleepMillis(50); });
    EXPECT_TRUE(t.WaitFor(60000));
    EXPECT_EQ(g_hookCalls, 0);
}

// An idle thread runs under SCHED_IDLE or with the weakest nice value; raising it back may be
// refused to an unprivileged process, and then it says so.
TEST(Thread, IdlePriorityAndRaisingItBack) {
    std::atomic<int> ask{0}, answered{0}, policy{-1}, nice{-100};
    Thread t;
    t.Start(
        [&] {
            for (int round = 1; round <= 2; ++round) {
                while (ask < round)
                    SleepMillis(1);
                policy = sched_getscheduler(0);
                nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
                answered = round;
            }
        },
        ThreadPriority::IDLE);
    ask = 1;
    while (answered < 1)
        SleepMillis(1);
    EXPECT_TRUE(policy == SCHED_IDLE || nice == 19) << "policy " << policy << ", nice " << nice;

    const bool raised = t.SetPriority(ThreadPriority::NORMAL);
    ask = 2;
    while (answered < 2)
        SleepMillis(1);
    if (raised) {
        EXPECT_EQ(policy, SCHED_OTHER);
        EXPECT_EQ(nice, 0);
    } else {
        EXPECT_TRUE(policy == SCHED_IDLE || nice == 19);
    }
    t.Wait();
}
