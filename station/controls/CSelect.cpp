#include "station/controls/CSelect.h"

void CSelFont::Select(HFONT font)
{
    if (!font)
        return;
    // Select a copy first, so the old copy is no longer in the DC when it is replaced.
    CMyFont copy(font);
    if (!copy.m_hObject)
        return;
    HGDIOBJ const previous = ::SelectObject(*m_pDC, copy.m_hObject);
    if (!m_bSaved) {
        m_old = previous;
        m_bSaved = true;
    }
    m_font.DeleteObject();
    m_font.Attach(copy.Detach());
}

void CSelFont::Restore()
{
    if (!m_bSaved)
        return;
    ::SelectObject(*m_pDC, m_old);
    m_bSaved = false;
    m_font.DeleteObject();
}

void CSelBkMode::Select(int mode)
{
    int const previous = m_pDC->SetBkMode(mode);
    if (!m_bSaved) {
        m_old = previous;
        m_bSaved = true;
    }
}

void CSelBkMode::Restore()
{
    if (m_bSaved)
        m_pDC->SetBkMode(m_old);
    m_bSaved = false;
}

void CSelTextColor::Select(COLORREF colour)
{
    COLORREF const previous = m_pDC->SetTextColor(colour);
    if (!m_bSaved) {
        m_old = previous;
        m_bSaved = true;
    }
}

void CSelTextColor::Restore()
{
    if (m_bSaved)
        m_pDC->SetTextColor(m_old);
    m_bSaved = false;
}

void CSelTextAlign::Select(UINT align)
{
    UINT const previous = ::SetTextAlign(*m_pDC, align);
    if (!m_bSaved) {
        m_old = previous;
        m_bSaved = true;
    }
}

void CSelTextAlign::Restore()
{
    if (m_bSaved)
        ::SetTextAlign(*m_pDC, m_old);
    m_bSaved = false;
}
