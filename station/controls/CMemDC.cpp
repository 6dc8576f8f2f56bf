#include "station/controls/CMemDC.h"

#include <vector>

CMemDC::CMemDC(CDC* dc, CRect const* rect, bool copy_screen, bool use_palette)
    : m_pDC(dc)
    , m_bUsePalette(use_palette)
{
    if (rect) {
        m_rect = *rect;
    } else {
        RECT clip {};
        ::GetClipBox(*dc, &clip);
        m_rect = clip;
    }
    // This platform has no printer DCs: every target gets the off-screen bitmap.
    if (!CreateCompatibleDC(dc) || !m_bitmap.CreateCompatibleBitmap(dc, m_rect.Width(), m_rect.Height())) {
        DeleteDC();
        Attach(*dc);
        return;
    }
    m_bMemDC = true;
    m_oldBitmap = SelectObject(static_cast<HGDIOBJ>(m_bitmap.m_hObject));
    SetWindowOrgEx(m_hDC, m_rect.left, m_rect.top, nullptr);
    if (copy_screen)
        ::BitBlt(m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), *dc, m_rect.left, m_rect.top, SRCCOPY);
}

CMemDC::~CMemDC()
{
    if (!m_bMemDC) {
        Detach();
        return;
    }
    copy_back();
    SelectObject(m_oldBitmap);
    DeleteDC();
}

void CMemDC::copy_back()
{
    HPALETTE palette {};
    HPALETTE old_palette {};
    if (m_bUsePalette && (m_pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE)) {
        RGBQUAD table[236] {};
        UINT const count = GetDIBColorTable(m_hDC, 0, 236, table);
        if (count) {
            std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
            auto* log = reinterpret_cast<LOGPALETTE*>(storage.data());
            log->palVersion = 0x300;
            log->palNumEntries = static_cast<WORD>(count);
            for (UINT i = 0; i < count; ++i)
                log->palPalEntry[i] = PALETTEENTRY { table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0 };
            palette = CreatePalette(log);
            old_palette = SelectPalette(*m_pDC, palette, FALSE);
            RealizePalette(*m_pDC);
        }
    }
    ::BitBlt(*m_pDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top, SRCCOPY);
    if (palette) {
        SelectPalette(*m_pDC, old_palette, FALSE);
        DeleteObject(palette);
    }
}
