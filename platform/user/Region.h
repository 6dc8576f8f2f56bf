// A set of pixels made of rectangles, kept as non-overlapping rectangles. Update regions of
// windows and the clip regions of device contexts are Regions. Rectangles follow the usual
// rule: left and top inside, right and bottom outside; an empty rectangle adds nothing.
#pragma once

#include "platform/user/Types.h"

#include <vector>

namespace platform {

class Region {
public:
    Region() = default;
    explicit Region(RECT const& rect);

    bool is_empty() const { return m_rects.empty(); }
    RECT bounds() const;
    bool contains(POINT point) const;
    bool intersects(RECT const& rect) const;
    std::vector<RECT> const& rects() const { return m_rects; }

    void add(RECT const& rect);
    void add(Region const& other);
    void subtract(RECT const& rect);
    void subtract(Region const& other);
    void intersect(RECT const& rect);
    void intersect(Region const& other);
    void offset(int dx, int dy);
    void clear() { m_rects.clear(); }

    bool operator==(Region const& other) const;

private:
    std::vector<RECT> m_rects;
};

bool rect_is_empty(RECT const& rect);
RECT rect_intersection(RECT const& a, RECT const& b);

}
