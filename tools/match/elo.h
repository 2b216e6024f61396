// Results from one engine's view and the rating difference they suggest.
#pragma once

#include <string>

namespace match {

struct Tally {
    int wins = 0, losses = 0, draws = 0;

    int Games() const { return wins + losses + draws; }
    double Points() const { return wins + 0.5 * draws; }
};

struct EloEstimate {
    double elo = 0;      // +inf / -inf when every game was won / lost
    double margin = 0;   // half the width of the 95% interval; +inf when the interval is open
    bool known = false;  // false without games
};

// The logistic Elo difference for the mean score, and the interval from the standard error of
// the per-game scores, taken through the same curve.
EloEstimate EstimateElo(const Tally& t);
// The difference for a score fraction in [0, 1]: -inf at 0, +inf at 1.
double EloFromScore(double score);

// "+107.5", "-3.0", "+inf", "-inf"
std::string FormatElo(double elo);
// "+107.5 +/- 150.2", "+inf +/- inf", "n/a" without games
std::string FormatEstimate(const EloEstimate& e);

}  // namespace match
