// While the window's thread waits for the computer, it keeps painting and running the queued
// drawing calls of the thinking display, but takes no user input.
#pragma once

void InstallWaitHook();
