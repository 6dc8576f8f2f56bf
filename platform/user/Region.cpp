#include "platform/user/Region.h"

#include <algorithm>

namespace platform {

bool rect_is_empty(RECT const& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

RECT rect_intersection(RECT const& a, RECT const& b)
{
    RECT r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom) };
    if (rect_is_empty(r))
        return RECT {};
    return r;
}

namespace {

// Appends the parts of `rect` that lie outside `hole`: at most four bands.
void append_difference(std::vector<RECT>& out, RECT const& rect, RECT const& hole)
{
    RECT cut = rect_intersection(rect, hole);
    if (rect_is_empty(cut)) {
        out.push_back(rect);
        return;
    }
    if (rect.top < cut.top)
        out.push_back({ rect.left, rect.top, rect.right, cut.top });
    if (cut.bottom < rect.bottom)
        out.push_back({ rect.left, cut.bottom, rect.right, rect.bottom });
    if (rect.left < cut.left)
        out.push_back({ rect.left, cut.top, cut.left, cut.bottom });
    if (cut.right < rect.right)
        out.push_back({ cut.right, cut.top, rect.right, cut.bottom });
}

}

Region::Region(RECT const& rect)
{
    add(rect);
}

RECT Region::bounds() const
{
    if (m_rects.empty())
        return RECT {};
    RECT b = m_rects.front();
    for (auto const& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool Region::contains(POINT p) const
{
    return std::any_of(m_rects.begin(), m_rects.end(), [&](RECT const& r) {
        return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    });
}

bool Region::intersects(RECT const& rect) const
{
    return std::any_of(m_rects.begin(), m_rects.end(), [&](RECT const& r) {
        return !rect_is_empty(rect_intersection(r, rect));
    });
}

void Region::add(RECT const& rect)
{
    if (rect_is_empty(rect))
        return;
    // The usual cases, without building pieces: the first rectangle, and one already covered
    // by a single rectangle of the region (a window invalidated again as it is set up).
    if (m_rects.empty()) {
        m_rects.push_back(rect);
        return;
    }
    for (auto const& existing : m_rects) {
        if (existing.left <= rect.left && existing.top <= rect.top && existing.right >= rect.right && existing.bottom >= rect.bottom)
            return;
    }
    // Keep rectangles disjoint: add only the parts not covered yet.
    std::vector<RECT> pieces { rect };
    for (auto const& existing : m_rects) {
        std::vector<RECT> next;
        for (auto const& piece : pieces)
            append_difference(next, piece, existing);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    m_rects.insert(m_rects.end(), pieces.begin(), pieces.end());
}

void Region::add(Region const& other)
{
    for (auto const& r : other.m_rects)
        add(r);
}

void Region::subtract(RECT const& rect)
{
    if (rect_is_empty(rect))
        return;
    std::vector<RECT> next;
    for (auto const& r : m_rects)
        append_difference(next, r, rect);
    m_rects.swap(next);
}

void Region::subtract(Region const& other)
{
    for (auto const& r : other.m_rects)
        subtract(r);
}

void Region::intersect(RECT const& rect)
{
    std::vector<RECT> next;
    for (auto const& r : m_rects) {
        RECT cut = rect_intersection(r, rect);
        if (!rect_is_empty(cut))
            next.push_back(cut);
    }
    m_rects.swap(next);
}

void Region::intersect(Region const& other)
{
    std::vector<RECT> next;
    for (auto const& a : m_rects) {
        for (auto const& b : other.m_rects) {
            RECT cut = rect_intersection(a, b);
            if (!rect_is_empty(cut))
                next.push_back(cut);
        }
    }
    m_rects.swap(next);
}

void Region::offset(int dx, int dy)
{
    for (auto& r : m_rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

bool Region::operator==(Region const& other) const
{
    Region a = *this;
    a.subtract(other);
    Region b = other;
    b.subtract(*this);
    return a.is_empty() && b.is_empty();
}

}
