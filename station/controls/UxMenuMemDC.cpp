#include "station/controls/UxMenuMemDC.h"

UxMenuMemDC::UxMenuMemDC(CDC* target, CRect const& rect)
    : m_pTarget(target)
    , m_rect(rect)
{
    CreateCompatibleDC(target);
    m_bitmap.CreateCompatibleBitmap(target, rect.Width(), rect.Height());
    m_oldBitmap = SelectObject(static_cast<HGDIOBJ>(m_bitmap.m_hObject));
    SetWindowOrgEx(m_hDC, rect.left, rect.top, nullptr);
    ::BitBlt(m_hDC, rect.left, rect.top, rect.Width(), rect.Height(), *target, rect.left, rect.top, SRCCOPY);
}

UxMenuMemDC::~UxMenuMemDC()
{
    ::BitBlt(*m_pTarget, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_oldBitmap);
}
