// The off-screen DC of the menu's flat drawing: grey items are drawn into it with the menu
// font selected, and it copies itself to the target when destroyed.
#pragma once

#include "platform/framework/Afx.h"

class UxMenuMemDC : public CDC {
public:
    UxMenuMemDC(CDC* target, CRect const& rect);
    ~UxMenuMemDC() override;
    UxMenuMemDC(UxMenuMemDC const&) = delete;
    UxMenuMemDC& operator=(UxMenuMemDC const&) = delete;

private:
    CDC* m_pTarget;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap {};
};
