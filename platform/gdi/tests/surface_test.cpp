#include "platform/gdi/Surface.h"

#include <gtest/gtest.h>

namespace {

using platform::gdi::Pixel;
using platform::gdi::Surface;

// Each pixel its own value, so a row moved or lost shows.
Pixel mark(int x, int y) { return Pixel(0x00800000u | static_cast<unsigned>(y << 12 | x)); }

void fill_marked(Surface& s)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            s.set_pixel(x, y, mark(x, y));
}

// A window folds its lower part away and opens it again (in place), then grows past what its
// buffer held and changes width (a new buffer): the overlap keeps its pixels, the rest is
// black. The surface is tall enough for its buffer to span many pages.
TEST(SurfaceResize, KeepsTheOverlapAndMakesTheRestBlack)
{
    Surface s(300, 400);
    fill_marked(s);
    struct Step {
        int width, height;
        int kept_rows, kept_columns; // the marked area that must survive this step
    };
    Step const steps[] = {
        { 300, 150, 150, 300 }, // fold
        { 300, 400, 150, 300 }, // open again: rows 150 and on are black now
        { 300, 420, 150, 300 }, // taller than the buffer held
        { 200, 420, 150, 200 }, // narrower
    };
    for (auto const& step : steps) {
        SCOPED_TRACE(std::to_string(step.width) + " x " + std::to_string(step.height));
        s.resize(step.width, step.height);
        ASSERT_EQ(s.width(), step.width);
        ASSERT_EQ(s.height(), step.height);
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) {
                Pixel const want = y < step.kept_rows && x < step.kept_columns ? mark(x, y) : Pixel(0);
                ASSERT_EQ(s.pixel(x, y), want) << x << "," << y;
            }
        }
    }
}

}
