#include "station/controls/ShadePatterns.h"

#include <algorithm>
#include <cstdint>

namespace station::controls {

namespace {

std::uint32_t g_state = 1;

// A pixel of the image by row counted from the bottom, the block's own row order.
class Pixels {
public:
    explicit Pixels(CCeXDib& image)
        : m_image(image), m_bits(image.PixelArea()), m_w(image.width()), m_h(image.height()) { }
    int w() const { return m_w; }
    int h() const { return m_h; }
    int get(int x, int r) const { return m_bits[index(x, r)]; }
    void set(int x, int r, int value) { m_bits[index(x, r)] = static_cast<BYTE>(value); }
    void fill(int value) { m_image.WipeImage(static_cast<BYTE>(value)); }
    // Counted from the top row, outside points skipped.
    void set_from_top(int x, int y, int value) { m_image.StorePixelValue(x, y, static_cast<BYTE>(value)); }

private:
    size_t index(int x, int r) const { return static_cast<size_t>(x) + static_cast<size_t>(r) * static_cast<size_t>(m_image.line_width()); }
    CCeXDib& m_image;
    BYTE* m_bits;
    int m_w;
    int m_h;
};

int grain(int g) { return shade_rand() / (32767 / std::max(2 * g, 1)) - g; }
int cube(int t) { return (t - 127) * (t - 127) * (t - 127) / 16384; }

template<typename Value>
void fill_each(Pixels& p, int g, Value value)
{
    for (int r = 0; r < p.h(); ++r)
        for (int x = 0; x < p.w(); ++x)
            p.set(x, r, value(x, r) + grain(g));
}

void diagonal(Pixels& p, int g)
{
    int const k = 255 - 2 * g;
    fill_each(p, g, [&](int x, int r) { return (k / 2) * (p.w() - x) / p.w() + (k / 2) * r / p.h() + g; });
}

void vertical(Pixels& p, int g)
{
    int const k = 255 - 2 * g;
    fill_each(p, g, [&](int, int r) { return g + r * k / p.h(); });
}

void horizontal(Pixels& p, int g)
{
    int const k = 255 - 2 * g;
    fill_each(p, g, [&](int x, int) { return g + k * (p.w() - x) / p.w(); });
}

void horizontal_bump(Pixels& p, int g)
{
    fill_each(p, g, [&](int, int r) { return cube(255 * r / p.h()) * (128 - g) / 128 + 128; });
}

void vertical_bump(Pixels& p, int g)
{
    fill_each(p, g, [&](int x, int) { return cube(255 * (p.w() - x) / p.w()) * (128 - g) / 128 + 128; });
}

void cross_bump(Pixels& p, int g)
{
    fill_each(p, g, [&](int x, int r) {
        int v = (cube(255 * (p.w() - x) / p.w()) + cube(255 * r / p.h())) * (128 - g) / 128 + 128;
        if (v < g)
            v = g;
        if (v > 255 - g)
            v = 255 - g;
        return v;
    });
}

// The sides bend in along a parabola whose depth is E. A button narrower than 6 pixels (E = 0)
// or lower than 2 (Q = 0) keeps its plain rows: the bend would divide by zero.
void curved_sides(Pixels& p, int g)
{
    int const w = p.w();
    int const h = p.h();
    int const e = std::min(w / 6, 16);
    int const q = h * h / 4;
    if (e == 0 || q == 0)
        return;
    for (int r = 0; r < h; ++r) {
        int const y = r - h / 2;
        int const edge = (e * y) * y / q + w / 2 - e;
        for (int x = 0; x < w; ++x) {
            if (edge < x - w / 2)
                p.set(x, r, g + 128 * (w - x) / e + grain(g));
            else if (edge + x - w / 2 < 0)
                p.set(x, r, (255 - g) - 128 * x / e + grain(g));
        }
    }
}

void cylinder(Pixels& p, int g)
{
    fill_each(p, g, [&](int, int r) { return cube(255 * r / p.h()) * (64 - g) * 2 / 128 + 128; });
    curved_sides(p, g);
}

// Random strokes on a cleared image. The divisors are kept at 1 or more so that an image
// wider or higher than 32767 pixels cannot divide by zero; an empty image gets no strokes.
void strokes(Pixels& p)
{
    int const w = p.w();
    int const h = p.h();
    p.fill(0);
    if (w <= 0 || h <= 0)
        return;
    for (int stroke = 0; stroke < 200; ++stroke) {
        int const x0 = shade_rand() / std::max(1, 32767 / w);
        int const y0 = shade_rand() / std::max(1, 32767 / h);
        int const length = (shade_rand() / std::max(1, 32767 / std::min(w, h))) / 2;
        int const value = shade_rand() / 819;
        for (int i = 0; i < length; ++i) {
            if (x0 - i > 0 && y0 + i < h)
                p.set_from_top(x0 - i, y0 + i, value);
            if (x0 + i < w && y0 - i > 0)
                p.set_from_top(w - x0 + i, y0 - i, value);
        }
    }
}

void stroked_ramp(Pixels& p, int g)
{
    strokes(p);
    int const d = (255 - 2 * g - 40) / 2;
    for (int r = 0; r < p.h(); ++r) {
        for (int x = 0; x < p.w(); ++x) {
            int const add = d * (p.w() - x) / p.w() + d * r / p.h() + shade_rand() / (32767 / std::max(2 * g, 1));
            p.set(x, r, p.get(x, r) + add);
        }
    }
}

}

int shade_rand()
{
    // The linear congruential generator the C standard gives as its example: 15 bits out.
    g_state = g_state * 1103515245u + 12345u;
    return static_cast<int>((g_state / 65536u) % 32768u);
}

void seed_shade_rand(unsigned seed)
{
    g_state = seed;
}

void paint_shade_pattern(CCeXDib& image, unsigned type, int granularity)
{
    if (!image.PixelArea())
        return;
    Pixels p(image);
    int const g = granularity;
    switch (type) {
    case 1:
        return diagonal(p, g);
    case 2:
        return vertical(p, g);
    case 3:
        return horizontal(p, g);
    case 4:
        return horizontal_bump(p, g);
    case 5:
        return vertical_bump(p, g);
    case 6:
        return cross_bump(p, g);
    case 7:
        return cylinder(p, g);
    case 8:
        return stroked_ramp(p, g);
    default:
        return p.fill(255);
    }
}

}
