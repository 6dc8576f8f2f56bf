// The eight shading patterns of the shaded button's faces, as stateless functions that fill an
// 8-bit palette image with palette indices, and the pseudo-random source of their grain.
//
// Rows are counted r = 0 for the bottom row, columns x = 0 at the left; arithmetic is integer,
// division truncates toward zero and each value is stored modulo 256. The grain of a pixel is
// shade_rand() / (32767 / max(2g, 1)) - g for granularity g.
#pragma once

#include "station/controls/CeXDib.h"

namespace station::controls {

// The shared source of the grain: values 0 to 32767, one sequence for the whole program (the
// user-interface thread only). Tests seed it to get the same faces every run.
int shade_rand();
void seed_shade_rand(unsigned seed);

// Fills `image` (already allocated, 8 bits per pixel) with the pattern of `type` (1 to 8);
// any other type gives palette index 255 everywhere.
void paint_shade_pattern(CCeXDib& image, unsigned type, int granularity);

}
