#include "tools/losses/losses.h"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/board.h"
#include "engine/classes.h"
#include "player/strong/position.h"
#include "player/strong/search.h"
#include "player/strong/threats.h"

namespace losses {

namespace {

using strong::ThreatKind;

void SetUpTo(const records::GameRecord& record, size_t count) {
    ResetBoards();
    for (size_t i = 0; i < count; ++i) {
        RecordPush(record.moves[i].x, record.moves[i].y);
        EnginePush(record.moves[i].x, record.moves[i].y);
    }
    strong::RebuildHash();
}

// "VCF", "VCT" or "" for `side` in the position on the board (a pass first when it is not to move).
std::string Win(uint8_t side, const LossLimits& limits) {
    strong::ThreatLimits fours;
    fours.maxNodes = limits.fourNodes;
    if (strong::SolveThreats(side, ThreatKind::FOURS, fours).win) return "VCF";
    strong::ThreatLimits threes;
    threes.maxNodes = limits.threeNodes;
    threes.maxAttacks = limits.threeAttacks;
    threes.deepen = true;
    return strong::SolveThreats(side, ThreatKind::FOURS_AND_THREES, threes).win ? "VCT" : "";
}

// Whether, after the defender's stone just placed, `attacker` is left with no win of either kind
// (a complete verdict). A four of the defender's only delays: the attacker blocks it first, and
// the win must be gone with the defender to move.
bool Stops(uint8_t attacker, const LossLimits& limits) {
    const uint8_t defender = strong::Opponent(attacker);
    int block = -1, fives = 0;
    for (int p = 0; p < POINT_COUNT; ++p) {
        if (!strong::EmptyPoint(p)) continue;
        if (strong::MakesFive(attacker, p) && strong::Legal(attacker, p)) return false;
        if (strong::MakesFive(defender, p)) block = p, ++fives;
    }
    if (fives >= 2) return true;
    if (block >= 0) {
        if (!strong::Legal(attacker, block)) return true;  // the five cannot be stopped
        strong::Play(block);
        const bool stopped = Stops(attacker, limits);
        strong::Undo();
        return stopped;
    }
    strong::ThreatLimits fours;
    fours.maxNodes = limits.defenceNodes;
    const strong::ThreatResult f = strong::SolveThreats(attacker, ThreatKind::FOURS, fours);
    if (!f.complete || f.win) return false;
    strong::ThreatLimits threes = fours;
    threes.maxAttacks = limits.threeAttacks;
    threes.deepen = true;
    const strong::ThreatResult t = strong::SolveThreats(attacker, ThreatKind::FOURS_AND_THREES, threes);
    return t.complete && !t.win;
}

// The search's score for the side to move, at a fixed node count: the same every run.
// A forced block has no score of its own: none is given then.
std::optional<int32_t> SearchScore(const LossLimits& limits) {
    strong::ClearTable();
    strong::ThinkLimits l;
    l.millis = 0;
    l.nodes = limits.searchNodes;
    const strong::ThinkResult r = strong::Think(l);
    if (r.reason == std::string("forced block")) return std::nullopt;
    return std::clamp(r.score, -20000, 20000);
}

// Before each of the side's moves up to the losing one: the score its search gives; the
// biggest fall between two of them is where the game slipped away.
void FindScoreDrop(const records::GameRecord& record, int losing, int ourParity, const LossLimits& limits,
                   LossReport* rep) {
    int previousMove = -1;
    int32_t previous = 0, worst = 0;
    for (int i = 3; i <= losing + 2 && i < static_cast<int>(record.moves.size()); ++i) {
        if (i % 2 != ourParity) continue;
        SetUpTo(record, i);
        const std::optional<int32_t> score = SearchScore(limits);
        if (!score) continue;
        const int32_t s = *score;
        if (previousMove >= 0 && previous - s > worst) {
            worst = previous - s;
            rep->dropMove = previousMove + 1;
            rep->dropFrom = previous;
            rep->dropTo = s;
        }
        previousMove = i;
        previous = s;
    }
}

std::string PointText(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

}  // namespace

const char* ClassName(LossClass c) {
    switch (c) {
        case LossClass::NotLost:
            return "not lost";
        case LossClass::Time:
            return "time or failure";
        case LossClass::ForbiddenMove:
            return "forbidden move";
        case LossClass::MissedWin:
            return "missed own win";
        case LossClass::MissedFourDefence:
            return "missed defence (fours)";
        case LossClass::MissedThreeDefence:
            return "missed defence (threes)";
        case LossClass::ForbiddenBlock:
            return "forbidden block";
        case LossClass::Drift:
            return "drift";
    }
    return "?";
}

LossReport AnalyseLoss(const records::GameRecord& record, const std::string& side, const LossLimits& limits) {
    LossReport rep;
    rep.black = record.Field("Black").rfind(side + " ", 0) == 0 || record.Field("Black") == side;
    rep.moves = static_cast<int>(record.moves.size());
    rep.reason = record.Field("Reason");
    const std::string result = record.Field("Result");
    if (result != (rep.black ? "white wins" : "black wins")) return rep;
    if (rep.reason != "five" && rep.reason != "forbidden") {
        rep.kind = LossClass::Time;
        return rep;
    }
    g_rule = record.Field("Rule").rfind("4", 0) == 0 ? 1 : 0;
    const uint8_t ours = rep.black ? CELL_BLACK : CELL_WHITE, theirs = strong::Opponent(ours);
    const int ourParity = rep.black ? 0 : 1;

    // Along the game: our own proven wins before our moves, the opponent's after them.
    std::vector<int> threatened;  // per move index of ours: 1 when the opponent then had a win
    std::vector<std::string> theirKind;
    const size_t n = record.moves.size();
    SetUpTo(record, 0);
    for (size_t i = 0; i < n; ++i) {
        const bool ourMove = static_cast<int>(i % 2) == ourParity;
        const bool last = i + 1 == n;
        if (ourMove && i >= 3 && !(last && rep.reason == "forbidden")) {
            if (rep.missedWinMove == 0) {
                const std::string own = Win(ours, limits);
                if (!own.empty()) {
                    rep.missedWinMove = static_cast<int>(i) + 1;
                    rep.missedWinKind = own;
                }
            }
        }
        RecordPush(record.moves[i].x, record.moves[i].y);
        EnginePush(record.moves[i].x, record.moves[i].y);
        if (ourMove) {
            const std::string after = last ? std::string() : Win(theirs, limits);
            threatened.push_back(after.empty() ? 0 : 1);
            theirKind.push_back(after);
        } else {
            threatened.push_back(-1);
            theirKind.emplace_back();
        }
    }
    if (rep.reason == "forbidden") {
        rep.kind = LossClass::ForbiddenMove;
        rep.losingMove = rep.moves;
        rep.losingPoint = PointText(record.moves[n - 1].x, record.moves[n - 1].y);
        return rep;
    }
    // The losing move: the first of ours after which the opponent's win held to the end.
    int losing = -1;
    for (int i = static_cast<int>(n) - 1; i >= 3; --i) {
        if (threatened[i] < 0) continue;
        if (threatened[i] == 0) break;
        losing = i;
    }
    if (losing < 0) {
        rep.kind = LossClass::Drift;  // no win proven before the five: beyond the solver
        return rep;
    }
    rep.losingMove = losing + 1;
    rep.threatenedFrom = losing + 1;
    rep.losingPoint = PointText(record.moves[losing].x, record.moves[losing].y);
    rep.winByFours = theirKind[losing] == "VCF";
    if (rep.missedWinMove > 0 && rep.missedWinMove <= rep.losingMove) {
        rep.kind = LossClass::MissedWin;
        return rep;
    }
    // Was there a move that stopped it?
    SetUpTo(record, losing);
    bool defence = false;
    for (int p = 0; p < POINT_COUNT && !defence; ++p) {
        if (!strong::EmptyPoint(p) || !strong::Legal(ours, p) || !strong::NearStone(p, 2)) continue;
        strong::Play(p);
        defence = Stops(theirs, limits);
        strong::Undo();
    }
    if (defence) {
        rep.kind = rep.winByFours ? LossClass::MissedFourDefence : LossClass::MissedThreeDefence;
        return rep;
    }
    // None legal: would a point forbidden to Black have stopped it?
    bool forbiddenStop = false;
    if (ours == CELL_BLACK && g_restricted) {
        for (int p = 0; p < POINT_COUNT && !forbiddenStop; ++p) {
            if (!strong::EmptyPoint(p) || strong::Legal(ours, p) || !strong::NearStone(p, 2)) continue;
            strong::Play(p);
            forbiddenStop = Stops(theirs, limits);
            strong::Undo();
        }
    }
    rep.kind = forbiddenStop ? LossClass::ForbiddenBlock : LossClass::Drift;
    if (limits.searchNodes > 0) FindScoreDrop(record, losing, ourParity, limits, &rep);
    return rep;
}

}  // namespace losses
