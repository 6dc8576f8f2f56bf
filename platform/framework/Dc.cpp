#include "platform/framework/Dc.h"

#include "platform/framework/HandleMap.h"
#include "platform/framework/Wnd.h"
#include "platform/gdi/DcHelpers.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

struct TempDcs {
    std::mutex mutex;
    std::map<HDC, std::unique_ptr<CDC>> dcs;
};

TempDcs& temp_dcs()
{
    // Never destroyed: a wrapper must not delete a device context it does not own at exit.
    static auto* t = new TempDcs;
    return *t;
}


}

CDC::~CDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC dc)
{
    if (!dc)
        return nullptr;
    std::lock_guard lock(temp_dcs().mutex);
    auto& slot = temp_dcs().dcs[dc];
    if (!slot)
        slot = std::make_unique<CDC>();
    slot->m_hDC = dc;
    return slot.get();
}

namespace platform::framework {

void delete_temporary_dcs()
{
    std::map<HDC, std::unique_ptr<CDC>> doomed;
    {
        std::lock_guard lock(temp_dcs().mutex);
        doomed.swap(temp_dcs().dcs);
    }
    // A temporary wrapper never owns its device context.
    for (auto& [dc, wrapper] : doomed)
        wrapper->m_hDC = nullptr;
}

}

void CDC::ForgetHandle(HDC dc)
{
    std::unique_ptr<CDC> doomed;
    {
        std::lock_guard lock(temp_dcs().mutex);
        auto it = temp_dcs().dcs.find(dc);
        if (it == temp_dcs().dcs.end())
            return;
        doomed = std::move(it->second);
        temp_dcs().dcs.erase(it);
    }
    doomed->m_hDC = nullptr;
}

BOOL CDC::Attach(HDC dc)
{
    if (!dc || m_hDC)
        return FALSE;
    m_hDC = dc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC const dc = m_hDC;
    m_hDC = nullptr;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC()
{
    return m_hDC && ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    HGDIOBJ const old = ::SelectObject(m_hDC, object ? object->m_hObject : nullptr);
    return CGdiObject::FromHandle(old);
}

CFont* CDC::SelectObject(CFont* font)
{
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font ? font->m_hObject : nullptr)));
}

CPen* CDC::SelectObject(CPen* pen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) { platform::gdi::fill_solid_rect(m_hDC, *rect, colour); }

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour)
{
    platform::gdi::fill_solid_rect(m_hDC, RECT { x, y, x + cx, y + cy }, colour);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF top_left, COLORREF bottom_right)
{
    platform::gdi::draw_3d_rect(m_hDC, *rect, top_left, bottom_right);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right)
{
    platform::gdi::draw_3d_rect(m_hDC, x, y, cx, cy, top_left, bottom_right);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous {};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    SIZE size {};
    ::GetTextExtentPoint32(m_hDC, text, count, &size);
    return CSize(size);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    m_hDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
