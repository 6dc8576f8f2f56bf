// Arrays that sort themselves, for lists ordered by a chosen column: integers ascending (and
// reversed for a descending order), and strings ascending without regard to case, keeping
// equal strings in the order they were added.
#pragma once

#include "platform/framework/Collections.h"

class CSortIntArray : public CArray<int, int> {
public:
    // Ascending, with the C library's qsort.
    void Sort();
    // Swaps element i with element count - 1 - i for every i below count / 2.
    void Reverse();
};

class CSortStringArray : public CStringArray {
public:
    // Ascending and case-insensitive; a bubble sort, so equal strings keep their order.
    void Sort();
    // The comparison Sort orders by: below, at or above 0 as `a` goes before, with or after `b`.
    static int Compare(const char* a, const char* b);
};
