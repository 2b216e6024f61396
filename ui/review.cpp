// Review: stepping through the game's moves without losing the later ones, until a stone is
// played from the position shown.
#include <algorithm>

#include "engine/board.h"
#include "player/game_state.h"
#include "player/threads.h"
#include "ui/board_view.h"

void CBoardView::ReviewTo(int k) {
    if (m_busy) return;
    if (!m_reviewing) {
        if (g_moveCount == 0) return;
        m_line.assign(g_moves, g_moves + g_moveCount);
        m_lineOver = g_gameOver;
        m_reviewing = true;
    }
    StopPondering();  // the boards change under it
    k = std::clamp(k, 0, static_cast<int>(m_line.size()));
    while (g_moveCount > k) {
        const MoveEntry m = g_moves[g_moveCount - 1];
        ErasePoint(m.x, m.y);
        EnginePop();
        RecordPop();
    }
    while (g_moveCount < k) {
        const MoveEntry m = m_line[g_moveCount];
        DrawStone(m.x, m.y, g_moveCount % 2);
        RecordPush(m.x, m.y);
        EnginePush(m.x, m.y);
    }
    // Only the last position is the end of the game; a stone played before it continues.
    g_gameOver = k == static_cast<int>(m_line.size()) ? m_lineOver : 0;
    g_fifthAPlaced = 0;
    Invalidate();  // the cross moves to the last stone shown
    update();
    UpdateTitleNow(m_lastScore);
}

void CBoardView::EndReview() {
    m_reviewing = false;
    m_line.clear();
}

records::Game CBoardView::WholeGame(int32_t* over) const {
    records::Game game{g_gameRule, {}};
    if (m_reviewing) {
        game.moves = m_line;
        *over = m_lineOver;
    } else {
        game.moves.assign(g_moves, g_moves + g_moveCount);
        *over = g_gameOver;
    }
    return game;
}

int CBoardView::ReviewLength() const {
    return m_reviewing ? static_cast<int>(m_line.size()) : g_moveCount;
}
