// CDC and its kinds: a device context wrapper with the drawing members application code uses.
// CPaintDC brackets BeginPaint/EndPaint, CClientDC and CWindowDC GetDC/GetWindowDC and
// ReleaseDC. FromHandle answers temporary wrappers kept until AfxDeleteTempMap.
#pragma once

#include "platform/framework/CRect.h"
#include "platform/framework/CString.h"
#include "platform/framework/GdiObjects.h"
#include "platform/user/User.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(CDC const&) = delete;
    CDC& operator=(CDC const&) = delete;

    HDC m_hDC {};
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC dc);
    static void ForgetHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    CGdiObject* SelectObject(CGdiObject* object);
    CFont* SelectObject(CFont* font);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CBitmap* SelectObject(CBitmap* bitmap);
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    CGdiObject* SelectStockObject(int index);
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }

    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void Draw3dRect(LPCRECT rect, COLORREF top_left, COLORREF bottom_right);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right);
    void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr); }
    void FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr); }
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT rect) { return ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop);
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) { return ::DrawText(m_hDC, text, count, rect, format); }
    int DrawText(CString const& text, LPRECT rect, UINT format) { return ::DrawText(m_hDC, text, -1, rect, format); }
    BOOL TextOut(int x, int y, LPCTSTR text, int count) { return ::TextOut(m_hDC, x, y, text, count); }
    BOOL TextOut(int x, int y, CString const& text) { return ::TextOut(m_hDC, x, y, text, text.GetLength()); }
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(CString const& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(TEXTMETRIC* out) const { return ::GetTextMetrics(m_hDC, out); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    int SelectClipRgn(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(region->m_hObject) : nullptr); }
    int IntersectClipRect(LPCRECT r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps {};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};
