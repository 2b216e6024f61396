#include "tools/match/elo.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace match {

namespace {
constexpr double Z95 = 1.959964;  // two-sided 95% of the normal distribution
constexpr double INF = std::numeric_limits<double>::infinity();
}  // namespace

double EloFromScore(double score) {
    if (score <= 0) return -INF;
    if (score >= 1) return INF;
    return -400.0 * std::log10(1.0 / score - 1.0);
}

EloEstimate EstimateElo(const Tally& t) {
    EloEstimate e;
    const int n = t.Games();
    if (n == 0) return e;
    e.known = true;
    const double score = t.Points() / n;
    e.elo = EloFromScore(score);
    const double variance = (t.wins * (1 - score) * (1 - score) + t.draws * (0.5 - score) * (0.5 - score) +
                             t.losses * score * score) /
                            n;
    const double delta = Z95 * std::sqrt(variance / n);
    const double high = EloFromScore(score + delta), low = EloFromScore(score - delta);
    // All wins or all losses leave no spread, but the rating is unbounded all the same.
    e.margin = std::isfinite(high) && std::isfinite(low) ? (high - low) / 2 : INF;
    return e;
}

std::string FormatElo(double elo) {
    if (std::isinf(elo)) return elo > 0 ? "+inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", elo);
    // A difference that rounds to zero reads "+0.0", whichever side it fell on.
    return std::string(text) == "-0.0" ? "+0.0" : text;
}

std::string FormatEstimate(const EloEstimate& e) {
    if (!e.known) return "n/a";
    char margin[32];
    std::snprintf(margin, sizeof margin, "%.1f", e.margin);
    return FormatElo(e.elo) + " +/- " + (std::isinf(e.margin) ? std::string("inf") : std::string(margin));
}

}  // namespace match
