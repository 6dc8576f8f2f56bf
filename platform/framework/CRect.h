// CPoint, CSize and CRect: the framework's value wrappers over POINT, SIZE and RECT, usable
// wherever the plain structures are expected.
#pragma once

#include "platform/user/Types.h"

class CPoint : public POINT {
public:
    CPoint() : POINT { 0, 0 } { }
    CPoint(int x_, int y_) : POINT { x_, y_ } { }
    CPoint(POINT p) : POINT(p) { }
    // The packed coordinates of a mouse message's lParam (signed 16-bit halves).
    explicit CPoint(LPARAM packed) : POINT { GET_X_LPARAM(packed), GET_Y_LPARAM(packed) } { }
    void Offset(int dx, int dy) { x += dx, y += dy; }
    friend bool operator==(CPoint const& a, CPoint const& b) { return a.x == b.x && a.y == b.y; }
    operator LPPOINT() { return this; }
};

class CSize : public SIZE {
public:
    CSize() : SIZE { 0, 0 } { }
    CSize(int cx_, int cy_) : SIZE { cx_, cy_ } { }
    CSize(SIZE s) : SIZE(s) { }
    friend bool operator==(CSize const& a, CSize const& b) { return a.cx == b.cx && a.cy == b.cy; }
};

class CRect : public RECT {
public:
    CRect() : RECT { 0, 0, 0, 0 } { }
    CRect(int l, int t, int r, int b) : RECT { l, t, r, b } { }
    CRect(RECT const& r) : RECT(r) { }
    CRect(RECT const* r) : RECT(r ? *r : RECT { 0, 0, 0, 0 }) { }
    CRect(POINT p, SIZE s) : RECT { p.x, p.y, p.x + s.cx, p.y + s.cy } { }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void InflateRect(int dx, int dy) { left -= dx, right += dx, top -= dy, bottom += dy; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { left += l, top += t, right -= r, bottom -= b; }
    void NormalizeRect();
    BOOL IntersectRect(RECT const* a, RECT const* b);
    BOOL UnionRect(RECT const* a, RECT const* b);
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    friend bool operator==(CRect const& a, CRect const& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

inline void CRect::NormalizeRect()
{
    if (left > right) {
        LONG const t = left;
        left = right, right = t;
    }
    if (top > bottom) {
        LONG const t = top;
        top = bottom, bottom = t;
    }
}

inline BOOL CRect::IntersectRect(RECT const* a, RECT const* b)
{
    CRect r(a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
        a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom);
    *this = r.IsRectEmpty() ? CRect() : r;
    return !IsRectEmpty();
}

inline BOOL CRect::UnionRect(RECT const* a, RECT const* b)
{
    CRect ra(a), rb(b);
    if (ra.IsRectEmpty())
        *this = rb;
    else if (rb.IsRectEmpty())
        *this = ra;
    else
        SetRect(ra.left < rb.left ? ra.left : rb.left, ra.top < rb.top ? ra.top : rb.top,
            ra.right > rb.right ? ra.right : rb.right, ra.bottom > rb.bottom ? ra.bottom : rb.bottom);
    return !IsRectEmpty();
}
