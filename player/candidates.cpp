#include "player/candidates.h"

#include <utility>

#include "player/search.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void SelectTop(CandidateList& list) {
    int32_t* value = list.value;
    int32_t* point = list.point;
    const int n = list.n;
    const int top = n < ROOT_MOVES ? n : ROOT_MOVES;
    for (int k = 0; k < top; ++k) {
        int32_t held = value[k];
        int j = k + 1;
        while (j < n) {
#if defined(__SSE2__)
            // Most blocks of four hold nothing above the current holder: skip them whole.
            if ((j & 3) == 0 && j + 4 <= n) {
                const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(value + j));
                if (_mm_movemask_epi8(_mm_cmpgt_epi32(v, _mm_set1_epi32(held))) == 0) {
                    j += 4;
                    continue;
                }
            }
#endif
            if (value[j] > held) {
                std::swap(value[k], value[j]);
                std::swap(point[k], point[j]);
                held = value[k];
            }
            ++j;
        }
    }
}
