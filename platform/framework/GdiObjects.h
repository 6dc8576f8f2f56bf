// The framework's drawing objects: CGdiObject owns one GDI handle (deleted with the object
// unless detached) and its kinds CFont, CPen, CBrush, CBitmap and CRgn. FromHandle answers a
// temporary wrapper that never owns the handle and lives until AfxDeleteTempMap (idle time).
#pragma once

#include "platform/gdi/SysPaint.h"
#include "platform/gdi/Text.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(CGdiObject const&) = delete;
    CGdiObject& operator=(CGdiObject const&) = delete;

    HGDIOBJ m_hObject {};
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    static CGdiObject* FromHandle(HGDIOBJ object);
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID out) const { return ::GetObject(m_hObject, size, out); }
    BOOL CreateStockObject(int index);
};

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT font);
    BOOL CreateFontIndirect(LOGFONT const* font);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
        BYTE strike_out, BYTE charset, BYTE out_precision, BYTE clip_precision, BYTE quality, BYTE pitch_and_family,
        LPCTSTR face);
    // Points in tenths, at 96 pixels per inch.
    BOOL CreatePointFont(int tenths_of_points, LPCTSTR face, class CDC* dc = nullptr);
    int GetLogFont(LOGFONT* out) const { return GetObject(sizeof(LOGFONT), out); }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN pen);
    BOOL CreatePen(int style, int width, COLORREF colour);
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH brush);
    BOOL CreateSolidBrush(COLORREF colour);
    BOOL CreateSysColorBrush(int index);
};

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP bitmap);
    BOOL LoadBitmap(UINT id);
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, void const* bits);
    int GetBitmap(BITMAP* out) const { return GetObject(sizeof(BITMAP), out); }
};

class CRgn : public CGdiObject {
public:
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    int CombineRgn(CRgn const* a, CRgn const* b, int mode);
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
};
