// A hook that a waiting thread calls between short slices of waiting, so that a window can
// keep painting while its thread waits for the computer. Without a hook, waiting just blocks.
#pragma once

using WaitHook = void (*)();

void SetWaitHook(WaitHook hook);
WaitHook GetWaitHook();
