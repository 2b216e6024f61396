// A match: the command line, the games in turn, the printed lines and the records.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/match/elo.h"
#include "tools/match/game.h"

namespace match {

struct MatchOptions {
    std::string engine[2];             // A, B: shell command lines
    std::optional<int> level[2];       // A, B
    std::optional<int> turnMillis[2];  // A, B: time per move in place of game.turnMillis
    int games = 52;                    // every opening once with each colour
    GameConfig game;
    std::string recordsDir = "match-records";
    int graceMillis = 1000;  // for an engine to exit after END
};

// Fills options from the arguments after the program name. Returns an error message, empty
// when the arguments are good; *help is set by -h/--help.
std::string ParseCommandLine(const std::vector<std::string>& args, MatchOptions* options, bool* help);
std::string UsageText();

// The record's file name for game number n (from 1) of a match of `games`.
std::string RecordName(int n, int games);

// The record of a finished game: moves, then who played, the result and its reason.
GameRecord MakeRecord(const MatchOptions& options, int number, const GameSetup& setup,
                      const GameResult& result);
// One printed line per game.
std::string GameLine(int number, int games, const GameSetup& setup, const GameResult& result);
// Engine A's results in all, by its colour, and how its losses came.
struct MatchTally {
    Tally total, asBlack, asWhite;
    std::map<std::string, int> losses;  // by reason
};
// Adds a game to the tally from engine A's view.
void Count(Tally* tally, const GameSetup& setup, const GameResult& result);
void Count(MatchTally* tally, const GameSetup& setup, const GameResult& result);
std::string Summary(const Tally& tally);
// The total, then A as Black and as White, the Elo estimate and A's losses by reason.
std::string MatchSummary(const MatchTally& tally);

// Plays the whole match with engines as child processes; returns the exit status.
int RunMatch(const MatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace match
