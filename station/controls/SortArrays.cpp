#include "station/controls/SortArrays.h"

#include <cstdlib>
#include <strings.h>
#include <utility>

namespace {

int compare_ints(void const* a, void const* b)
{
    int const x = *static_cast<int const*>(a);
    int const y = *static_cast<int const*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

}

void CSortIntArray::Sort()
{
    if (GetSize() > 1)
        std::qsort(GetData(), static_cast<size_t>(GetSize()), sizeof(int), compare_ints);
}

void CSortIntArray::Reverse()
{
    INT_PTR const count = GetSize();
    for (INT_PTR i = 0; i < count / 2; ++i)
        std::swap(ElementAt(i), ElementAt(count - 1 - i));
}

// Texts are UTF-8; case is folded for ASCII letters, as the comparison of the original
// multibyte code page did for the letters the lists hold.
int CSortStringArray::Compare(const char* a, const char* b)
{
    return strcasecmp(a, b);
}

void CSortStringArray::Sort()
{
    INT_PTR const count = GetSize();
    for (INT_PTR i = 0; i + 1 < count; ++i) {
        for (INT_PTR j = 0; j + 1 < count - i; ++j) {
            if (Compare(ElementAt(j), ElementAt(j + 1)) > 0)
                std::swap(ElementAt(j), ElementAt(j + 1));
        }
    }
}
