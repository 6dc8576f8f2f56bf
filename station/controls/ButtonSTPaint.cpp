// The owner-drawn button's painting: DrawItem and the slots it calls in order (face, frame,
// icon, caption). No focus rectangle is drawn; the focus shows through colour slots 4 and 5.
#include "station/controls/ButtonST.h"

#include "platform/framework/Dc.h"

void CButtonST::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (!item)
        return;
    CDC* dc = CDC::FromHandle(item->hDC);
    UINT const state = item->itemState;
    if (m_bIsCheckBox || m_bIsRadio)
        m_bIsPressed = (state & ODS_SELECTED) || m_nCheck;
    else
        m_bIsPressed = (state & ODS_SELECTED) || m_bMenuOpen;
    m_bIsFocused = (state & ODS_FOCUS) != 0;
    m_bIsDisabled = (state & ODS_DISABLED) != 0;

    CRect const item_rect(item->rcItem);
    dc->SetBkMode(TRANSPARENT);
    PaintButtonFace(dc, item_rect);
    PaintButtonFrame(dc, item_rect);

    CString caption;
    GetWindowText(caption);
    CRect caption_rect = item_rect;
    if (m_hover_icon.handle)
        PlaceIconImage(dc, !caption.IsEmpty(), item_rect, caption_rect, m_bIsPressed, m_bIsDisabled);
    if (!caption.IsEmpty())
        PlaceCaption(dc, caption, item_rect, caption_rect, m_bIsPressed, m_bIsDisabled);
}

void CButtonST::PaintButtonFace(CDC* dc, CRect const& rect)
{
    int slot = BackRest;
    if (m_bIsHover || m_bIsPressed)
        slot = BackHot;
    else if (m_bIsFocused)
        slot = BackFocus;
    CBrush brush(m_crColors[static_cast<size_t>(slot)]);
    dc->FillRect(&rect, &brush);
}

void CButtonST::PaintButtonFrame(CDC* dc, CRect const& rect)
{
    if (!m_bDrawBorder)
        return;
    if (m_bIsPressed)
        dc->Draw3dRect(&rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (m_bIsHover)
        dc->Draw3dRect(&rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

CButtonST::Icon const& CButtonST::icon_for_state(BOOL pressed) const
{
    if (pressed || (m_bIsHover && !ignores_hover()))
        return m_hover_icon;
    return m_rest_icon.handle ? m_rest_icon : m_hover_icon;
}

// Where the image goes, and how the caption's rectangle makes room for it.
CRect CButtonST::image_rect(BOOL has_caption, CRect const& item, CRect& caption, Icon const& icon) const
{
    int const w = icon.width;
    int const h = icon.height;
    int const centred_left = item.left + (item.Width() - w) / 2;
    int const centred_top = item.top + (item.Height() - h) / 2;
    if (m_byAlign == ImageTopLeft)
        return CRect(item.left, item.top, item.left + w, item.top + h);
    if (!has_caption)
        return CRect(centred_left, centred_top, centred_left + w, centred_top + h);
    switch (m_byAlign) {
    case ImageAbove: {
        caption.top += h;
        int const top = (caption.top - item.top - 16) / 2;
        return CRect(centred_left, top, centred_left + w, top + h);
    }
    case ImageRight: {
        caption.right -= caption.left + m_nImageMargin + w;
        caption.left = m_nImageMargin;
        int const left = item.right - m_nImageMargin - w;
        return CRect(left, centred_top, left + w, centred_top + h);
    }
    default: {
        int const left = item.left + m_nImageMargin;
        caption.left += m_nImageMargin + w + 5;
        return CRect(left, centred_top, left + w, centred_top + h);
    }
    }
}

void CButtonST::PlaceIconImage(CDC* dc, BOOL has_caption, CRect const& item, CRect& caption, BOOL pressed, BOOL disabled)
{
    Icon const& icon = icon_for_state(pressed);
    CRect image = image_rect(has_caption, item, caption, icon);
    if (pressed && !ignores_hover())
        image.OffsetRect(1, 1);
    DrawState(dc->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon.handle), 0, image.left, image.top,
        icon.width, icon.height, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CButtonST::PlaceBitmapImage(CDC*, BOOL, CRect const&, CRect&, BOOL, BOOL)
{
}

void CButtonST::PlaceCaption(CDC* dc, CString const& caption, CRect const&, CRect& caption_rect, BOOL pressed, BOOL disabled)
{
    if (pressed && !ignores_hover())
        caption_rect.OffsetRect(1, 1);
    UINT const centre = (m_bLeftAlignedText || m_bIsCheckBox || m_bIsRadio) ? 0 : DT_CENTER;
    CRect text = caption_rect;
    dc->DrawText(caption, &text, DT_CALCRECT | DT_WORDBREAK | centre);
    text.OffsetRect((caption_rect.Width() - text.Width()) / 2, (caption_rect.Height() - text.Height()) / 2);

    dc->SetBkMode(TRANSPARENT);
    if (disabled) {
        text.OffsetRect(1, 1);
        dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->DrawText(caption, &text, DT_WORDBREAK | centre);
        text.OffsetRect(-1, -1);
        dc->SetTextColor(GetSysColor(COLOR_BTNSHADOW));
        dc->DrawText(caption, &text, DT_WORDBREAK | centre);
        return;
    }
    int text_slot = TextRest;
    int back_slot = BackRest;
    if (m_bIsHover || pressed) {
        text_slot = TextHot;
        back_slot = BackHot;
    } else if (m_bIsFocused) {
        text_slot = TextFocus;
        back_slot = BackFocus;
    }
    dc->SetTextColor(m_crColors[static_cast<size_t>(text_slot)]);
    dc->SetBkColor(m_crColors[static_cast<size_t>(back_slot)]);
    dc->DrawText(caption, &text, DT_WORDBREAK | centre);
}
