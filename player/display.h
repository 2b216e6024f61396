// How the computer player draws on the board window without knowing the window toolkit.
// The window implements it; tests replace it with a recorder. Calls may come from a search
// worker thread: an implementation must hand them to its own thread in order.
#pragma once

struct BoardDisplay {
    virtual ~BoardDisplay() = default;
    // colour: 0 Black stone, 1 White stone, 2 ring with a black outline, 3 with a white outline.
    virtual void DrawStone(int x, int y, int colour) = 0;
    virtual void ErasePoint(int x, int y) = 0;
    virtual void DrawLastMoveMark() = 0;
    virtual void UpdateTitle(int score) = 0;
    virtual void SetWaitCursor(bool on) = 0;
};

// The one board window, or null when there is none (tests, the command-line engine).
extern BoardDisplay* g_display;
