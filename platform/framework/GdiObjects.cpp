#include "platform/framework/GdiObjects.h"

#include "platform/framework/Dc.h"
#include "platform/framework/HandleMap.h"
#include "platform/framework/ResourceApi.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

// Temporary wrappers never own their handle. They live until the thread's idle time
// (AfxDeleteTempMap), as the framework's other temporary objects do: kept for the process,
// every handle ever selected out of a device context left one behind.
struct TempWrappers {
    std::mutex mutex;
    std::map<HGDIOBJ, std::unique_ptr<CGdiObject>> objects;
    std::map<HGDIOBJ, std::unique_ptr<CFont>> fonts;
    std::map<HGDIOBJ, std::unique_ptr<CPen>> pens;
    std::map<HGDIOBJ, std::unique_ptr<CBrush>> brushes;
    std::map<HGDIOBJ, std::unique_ptr<CBitmap>> bitmaps;
};

TempWrappers& temp_wrappers()
{
    // Never destroyed: a wrapper must not delete a handle it does not own at exit.
    static auto* wrappers = new TempWrappers;
    return *wrappers;
}

template<typename T>
T* temporary_wrapper(std::map<HGDIOBJ, std::unique_ptr<T>> TempWrappers::*which, HGDIOBJ handle)
{
    if (!handle)
        return nullptr;
    TempWrappers& all = temp_wrappers();
    std::lock_guard lock(all.mutex);
    auto& slot = (all.*which)[handle];
    if (!slot)
        slot = std::make_unique<T>();
    slot->m_hObject = handle;
    return slot.get();
}

template<typename T>
void forget_all(std::map<HGDIOBJ, std::unique_ptr<T>>& doomed)
{
    for (auto& [handle, wrapper] : doomed)
        wrapper->m_hObject = nullptr;
}

}

namespace platform::framework {

void delete_temporary_gdi_objects()
{
    TempWrappers& all = temp_wrappers();
    TempWrappers doomed;
    {
        std::lock_guard lock(all.mutex);
        doomed.objects.swap(all.objects);
        doomed.fonts.swap(all.fonts);
        doomed.pens.swap(all.pens);
        doomed.brushes.swap(all.brushes);
        doomed.bitmaps.swap(all.bitmaps);
    }
    forget_all(doomed.objects);
    forget_all(doomed.fonts);
    forget_all(doomed.pens);
    forget_all(doomed.brushes);
    forget_all(doomed.bitmaps);
}

}

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (!object || m_hObject)
        return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ const object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    BOOL const ok = ::DeleteObject(Detach());
    return ok;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    m_hObject = ::GetStockObject(index);
    return m_hObject != nullptr;
}

CFont* CFont::FromHandle(HFONT font)
{
    return temporary_wrapper(&TempWrappers::fonts, static_cast<HGDIOBJ>(font));
}

BOOL CFont::CreateFontIndirect(LOGFONT const* font)
{
    return Attach(::CreateFontIndirect(font));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
    BYTE strike_out, BYTE charset, BYTE out_precision, BYTE clip_precision, BYTE quality, BYTE pitch_and_family, LPCTSTR face)
{
    return Attach(::CreateFont(height, width, escapement, orientation, weight, italic, underline, strike_out, charset,
        out_precision, clip_precision, quality, pitch_and_family, face));
}

BOOL CFont::CreatePointFont(int tenths_of_points, LPCTSTR face, CDC*)
{
    LOGFONT lf {};
    lf.lfHeight = -((tenths_of_points * 96 + 360) / 720);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    for (int i = 0; face && face[i] && i < LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = face[i];
    return CreateFontIndirect(&lf);
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) { return temporary_wrapper(&TempWrappers::objects, object); }
CPen* CPen::FromHandle(HPEN pen) { return temporary_wrapper(&TempWrappers::pens, static_cast<HGDIOBJ>(pen)); }

BOOL CPen::CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }

CBrush* CBrush::FromHandle(HBRUSH brush) { return temporary_wrapper(&TempWrappers::brushes, static_cast<HGDIOBJ>(brush)); }
BOOL CBrush::CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
BOOL CBrush::CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(::GetSysColor(index))); }

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return temporary_wrapper(&TempWrappers::bitmaps, static_cast<HGDIOBJ>(bitmap)); }
BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(static_cast<WORD>(id)))); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, void const* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bits_per_pixel, bits));
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) { return Attach(::CreateRectRgn(left, top, right, bottom)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }

int CRgn::CombineRgn(CRgn const* a, CRgn const* b, int mode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), a ? static_cast<HRGN>(a->m_hObject) : nullptr,
        b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
}
