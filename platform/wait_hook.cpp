#include "platform/wait_hook.h"

#include <atomic>

namespace {
std::atomic<WaitHook> g_waitHook{nullptr};
}

void SetWaitHook(WaitHook hook) {
    g_waitHook.store(hook);
}
WaitHook GetWaitHook() {
    return g_waitHook.load();
}
