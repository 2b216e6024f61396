#include "player/candidates.h"

#include <algorithm>
#include <utility>

#include "player/search.h"

namespace {

// The exchange rule itself, for lists where the shortcut below would not pay.
void SelectByExchanges(CandidateList& list) {
    const int n = list.n;
    const int top = n < ROOT_MOVES ? n : ROOT_MOVES;
    for (int k = 0; k < top; ++k) {
        for (int j = k + 1; j < n; ++j) {
            if (list.value[k] < list.value[j]) {
                std::swap(list.value[k], list.value[j]);
                std::swap(list.point[k], list.point[j]);
            }
        }
    }
}

struct Tracked {
    int32_t pos, value, point;
};

constexpr int MAX_TRACKED = 40;

}  // namespace

// Only entries at or above the eighth-largest value T can reach the first eight places; call
// them high. A pass of the exchange rule swaps its holder with each later entry that beats
// it, so every element on that chain moves to the place of the next one and the last lands
// at k. Entries below T never beat a high holder, and a low holder is beaten by the first
// high entry after it at the latest; so the high entries move exactly as they would with
// the low ones left out, provided we remember which places they occupy. Following only them
// gives the same first eight entries at a fraction of the work.
void SelectTop(CandidateList& list) {
    const int n = list.n;
    if (n <= ROOT_MOVES) {
        SelectByExchanges(list);
        return;
    }
    // The eight largest values, in a small descending array: most entries fail the first test.
    int32_t best[ROOT_MOVES];
    std::fill(best, best + ROOT_MOVES, INT32_MIN);
    for (int j = 0; j < n; ++j) {
        const int32_t v = list.value[j];
        if (v <= best[ROOT_MOVES - 1]) continue;
        int i = ROOT_MOVES - 1;
        for (; i > 0 && best[i - 1] < v; --i)
            best[i] = best[i - 1];
        best[i] = v;
    }
    const int32_t threshold = best[ROOT_MOVES - 1];

    Tracked high[MAX_TRACKED];
    int count = 0;
    for (int j = 0; j < n; ++j) {
        if (list.value[j] < threshold) continue;
        if (count == MAX_TRACKED) {  // many ties at the threshold: no gain in tracking them
            SelectByExchanges(list);
            return;
        }
        high[count++] = {j, list.value[j], list.point[j]};
    }

    int chain[MAX_TRACKED];
    for (int k = 0; k < ROOT_MOVES; ++k) {
        // high[] is in place order; find the holder at k, if it is high.
        int at = 0;
        while (at < count && high[at].pos < k)
            ++at;
        const bool highHolder = at < count && high[at].pos == k;
        int length = 0;
        int32_t held = highHolder ? high[at].value : INT32_MIN;
        for (int i = highHolder ? at + 1 : at; i < count; ++i) {
            if (high[i].value > held) {
                chain[length++] = i;
                held = high[i].value;
            }
        }
        if (length == 0) continue;
        // Each element on the chain takes the place of the next; the last one takes k.
        int32_t nextPos = high[chain[0]].pos;
        if (highHolder) high[at].pos = nextPos;
        for (int c = 0; c + 1 < length; ++c) {
            const int32_t here = high[chain[c + 1]].pos;
            high[chain[c]].pos = here;
        }
        high[chain[length - 1]].pos = k;
        std::sort(high + at, high + count, [](const Tracked& a, const Tracked& b) { return a.pos < b.pos; });
    }
    for (int k = 0; k < ROOT_MOVES; ++k) {
        list.value[k] = high[k].value;
        list.point[k] = high[k].point;
    }
}
