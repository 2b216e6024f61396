// While the window's thread waits for the computer, it keeps painting and running the queued
// drawing calls of the thinking display, but takes no user input: clicks and keys made
// meanwhile are dropped.
#pragma once

void InstallWaitHook();

// Waits `millis` ms in the same way: painting goes on, input is dropped.
void PauseMillis(int millis);

// Drops the clicks and keys made while the window took no input, so that a click made while
// the computer thought is not played once it has moved.
void DiscardPendingInput();
