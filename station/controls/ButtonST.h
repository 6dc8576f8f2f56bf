// The push button of every dialog of the station utility, subclassed over a button of the
// template. It draws itself: a face filled per state from six colour slots, a 3-D frame while
// hovered or pressed, an icon beside, above or without the caption, and the caption centred
// (or left-aligned); it follows the pointer to show a hover state with a tool tip, and it can
// act as a check box or a radio button (chosen by the template's style).
//
// Colour slots: 0 background and 1 text while hovered or pressed; 2 and 3 otherwise; 4 and 5
// while focused (and neither hovered nor pressed). Setters answer 0, or 3 for a bad colour
// slot, 4 for a bad image side, 5 for a bad colour offset, and change nothing on an error;
// a repaint flag invalidates the whole button.
//
// A drop-down UxMenu can be attached (AttachDropMenu): a click shows it under the button, the
// button looking pressed while it is open, and posts the chosen command to the menu's owner;
// RegisterMenuNotify names a window told just before it opens (ButtonSTMenu.cpp).
#pragma once

#include "platform/framework/ButtonControls.h"
#include "station/controls/ButtonIcons.h"
#include "station/controls/ButtonToolTip.h"

#include <array>
#include <map>
#include <memory>

// Declared only: UxMenu.h brings the common controls' headers, which this header's users may
// not want next to the standard controls' own.
class UxMenu;

class CButtonST : public CButton {
public:
    // Rest icon choices besides a resource id or a handle: none, or derived from the hover icon.
    static constexpr int kNoIcon = 0;
    static constexpr int kGreyIcon = -2;
    static constexpr int kDarkerIcon = -3;
    static HICON derived_handle(int choice) { return reinterpret_cast<HICON>(static_cast<INT_PTR>(choice)); }

    enum ImageSide : BYTE {
        ImageLeft = 0,
        ImageAbove = 1,
        ImageRight = 2,
        ImageTopLeft = 3,
    };
    enum ColourSlot : BYTE {
        BackHot = 0,
        TextHot = 1,
        BackRest = 2,
        TextRest = 3,
        BackFocus = 4,
        TextFocus = 5,
    };
    static constexpr int kColourSlots = 6;

    CButtonST();
    ~CButtonST() override;

    // [SECTION] Setters
    DWORD AssignIcons(int hover_id, int rest_id);
    // Takes ownership of both handles; `rest` may be null or derived_handle(kGreyIcon / kDarkerIcon).
    DWORD AssignIconHandles(HICON hover, HICON rest);
    DWORD ChooseImageSide(BYTE side, BOOL repaint = TRUE);
    DWORD AssignColourSlot(BYTE slot, COLORREF colour, BOOL repaint = TRUE);
    DWORD ShiftColourSlot(BYTE slot, int offset, BOOL repaint = TRUE);
    DWORD RestoreFaceColours(BOOL repaint = TRUE);
    DWORD EnableFrame(BOOL enable, BOOL repaint = TRUE);
    DWORD StoreCheckState(int check, BOOL repaint = TRUE);
    int ReadCheckState() const;
    void SetTooltipText(LPCTSTR text);
    // 0, or 1 when the menu or the toolbar cannot be loaded (the button then has no menu).
    DWORD AttachDropMenu(UINT menu_id, HWND owner, int look, UINT toolbar_id, std::map<UINT, CString> const& texts,
        int image_width, int image_height, COLORREF image_background, BOOL repaint = TRUE);
    DWORD RegisterMenuNotify(HWND window, UINT message, LPARAM lparam);
    // The attached menu, or null.
    UxMenu* drop_menu() const { return m_menu.get(); }

    // [SECTION] Reading the state back
    COLORREF colour_slot(int slot) const { return slot >= 0 && slot < kColourSlots ? m_crColors[static_cast<size_t>(slot)] : CLR_INVALID; }
    BOOL is_hover() const { return m_bIsHover; }
    BOOL is_check_box() const { return m_bIsCheckBox; }
    BOOL is_radio() const { return m_bIsRadio; }
    BOOL is_default() const { return m_bIsDefault; }
    BYTE image_side() const { return m_byAlign; }
    BOOL draws_frame() const { return m_bDrawBorder; }
    HICON hover_icon() const { return m_hover_icon.handle; }
    HICON rest_icon() const { return m_rest_icon.handle; }
    station::controls::ButtonToolTip const& tool_tip() const { return m_tool_tip; }

    // [SECTION] Fields the main window and the tab host keep on their page buttons
    BOOL m_bLeftAlignedText {};
    BOOL m_bHighlighted {};
    int m_nImageMargin { 3 };
    int m_nOrder {};

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;

    // [SECTION] Painting, in the order DrawItem calls them
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    virtual void PaintButtonFace(CDC* dc, CRect const& rect);
    virtual void PaintButtonFrame(CDC* dc, CRect const& rect);
    virtual void PlaceIconImage(CDC* dc, BOOL has_caption, CRect const& item, CRect& caption, BOOL pressed, BOOL disabled);
    // Kept as a slot for a bitmap image; nothing sets a bitmap, so DrawItem never calls it.
    virtual void PlaceBitmapImage(CDC* dc, BOOL has_caption, CRect const& item, CRect& caption, BOOL pressed, BOOL disabled);
    virtual void PlaceCaption(CDC* dc, CString const& caption, CRect const& item, CRect& caption_rect, BOOL pressed, BOOL disabled);

    // The menu branch of a click (see the note at the top): whether a menu is attached, and
    // the click's answer once it has been tracked.
    virtual bool has_drop_menu() const;
    virtual BOOL track_drop_menu();

    // [SECTION] Message handlers
    afx_msg BOOL ReactToClick();
    afx_msg HBRUSH CtlColor(CDC* dc, UINT ctl_color);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnSetStyle(WPARAM style, LPARAM redraw);
    afx_msg LRESULT OnGetCheck(WPARAM, LPARAM);
    afx_msg LRESULT OnSetCheck(WPARAM check, LPARAM);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg LRESULT OnCancelMode(WPARAM, LPARAM);
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);

    BOOL m_bIsPressed {};
    BOOL m_bIsFocused {};
    BOOL m_bIsDisabled {};
    BOOL m_bMenuOpen {};
    HWND m_hMenuOwner {};
    DECLARE_MESSAGE_MAP()

private:
    struct Icon {
        HICON handle {};
        int width {};
        int height {};
    };

    void cancel_hover();
    void repaint_if(BOOL repaint);
    void free_icons();
    void walk_group_unchecking(BOOL previous);
    void show_tool_tip();
    bool ignores_hover() const { return m_bIsCheckBox && m_bIsRadio; }
    CRect image_rect(BOOL has_caption, CRect const& item, CRect& caption, Icon const& icon) const;
    Icon const& icon_for_state(BOOL pressed) const;

    BOOL m_bIsHover {};
    BOOL m_bIsDefault {};
    BOOL m_bIsCheckBox {};
    BOOL m_bIsRadio {};
    BYTE m_byAlign { ImageLeft };
    BOOL m_bDrawBorder { TRUE };
    std::array<COLORREF, kColourSlots> m_crColors {};
    int m_nCheck {};
    Icon m_hover_icon;
    Icon m_rest_icon;
    CString m_tool_tip_text;
    station::controls::ButtonToolTip m_tool_tip;
    struct DropMenuDeleter {
        void operator()(UxMenu* menu) const;
    };
    std::unique_ptr<UxMenu, DropMenuDeleter> m_menu;
    HWND m_hCallbackWnd {};
    UINT m_nCallbackMsg {};
    LPARAM m_lCallbackParam {};
};
