// The chart engine's quicksort over positions 0..n-1: the middle position is the pivot and is
// followed across swaps. Both the sort of a series by its values and the depth order of
// exploded pie slices use it, so equal keys end in the same order in both. It is not stable.
#pragma once

namespace tallyrun {

// `compare(a, b)` gives -1, 0 or +1 for the keys at positions a and b; `exchange(a, b)` swaps
// them. After a pass the left part l..j is sorted before the right part i..r. When the two
// parts are disjoint (j < i) their order does not matter, so the larger one is left to the
// loop and the smaller one recursed into, which keeps the recursion depth logarithmic; when
// they share a position the left part must go first.
template <typename Compare, typename Exchange>
void QuickSortPositions(int l, int r, const Compare& compare, const Exchange& exchange)
{
    while (l < r) {
        int i = l;
        int j = r;
        int m = l + (r - l) / 2;
        do {
            while (compare(i, m) < 0)
                ++i;
            while (compare(m, j) < 0)
                --j;
            if (i < j) {
                exchange(i, j);
                if (i == m)
                    m = j;
                else if (j == m)
                    m = i;
            }
            if (i <= j) {
                ++i;
                --j;
            }
        } while (i < j);
        if (j >= i || j - l < r - i) {
            if (l < j)
                QuickSortPositions(l, j, compare, exchange);
            l = i;
        } else {
            if (i < r)
                QuickSortPositions(i, r, compare, exchange);
            r = j;
        }
    }
}

} // namespace tallyrun
