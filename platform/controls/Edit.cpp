#include "platform/controls/Edit.h"

#include "platform/controls/ControlPaint.h"
#include "platform/user/InputDriver.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace platform::controls {

namespace {

constexpr size_t default_limit = 30000;
constexpr size_t largest_limit = 0x7FFFFFFE;
constexpr int margin = 1;

bool is_word_byte(char c)
{
    return !std::isspace(static_cast<unsigned char>(c));
}

}

Edit::Edit(HWND hwnd)
    : Control(hwnd)
    , m_limit(default_limit)
{
    if (style() & ES_PASSWORD)
        m_password = '*';
}

void Edit::register_class()
{
    register_control<Edit>("Edit", CS_DBLCLKS | CS_PARENTDC);
}

LRESULT Edit::handle(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_NCCREATE: {
        auto const* cs = reinterpret_cast<CREATESTRUCT const*>(lparam);
        m_text = cs && cs->lpszName ? cs->lpszName : "";
        return default_handling(message, wparam, lparam);
    }
    case WM_CHAR:
        return on_char(wparam);
    case WM_KEYDOWN:
        return on_key_down(wparam);
    case WM_LBUTTONDOWN:
        return on_button_down(lparam);
    case WM_MOUSEMOVE:
        return on_mouse_move(lparam);
    case WM_LBUTTONUP:
        m_dragging = false;
        if (GetCapture() == hwnd())
            ReleaseCapture();
        return 0;
    case WM_LBUTTONDBLCLK:
        return on_double_click(lparam);
    case WM_SETFOCUS:
        return on_focus(true);
    case WM_KILLFOCUS:
        return on_focus(false);
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | (multiline() ? DLGC_WANTALLKEYS : 0);
    case WM_SETTEXT:
        return on_set_text(reinterpret_cast<LPCSTR>(lparam));
    case WM_GETTEXT:
        return on_get_text(wparam, reinterpret_cast<LPSTR>(lparam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    case WM_COPY:
        return copy();
    case WM_CUT:
        return cut();
    case WM_PASTE:
        return paste();
    case WM_CLEAR:
        return clear();
    case WM_ENABLE:
        invalidate();
        return 0;
    case EM_GETSEL:
        return on_get_sel(reinterpret_cast<DWORD*>(wparam), reinterpret_cast<DWORD*>(lparam));
    case EM_SETSEL:
        return on_set_sel(wparam, lparam);
    case EM_REPLACESEL:
        replace_selection(lparam ? reinterpret_cast<LPCSTR>(lparam) : "", false);
        return 0;
    case EM_LIMITTEXT:
        return on_limit(wparam);
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(m_limit);
    case EM_SETPASSWORDCHAR:
        return on_set_password_char(wparam);
    case EM_GETPASSWORDCHAR:
        return static_cast<unsigned char>(m_password);
    case EM_SETREADONLY:
        return on_set_read_only(wparam != 0);
    case EM_GETMODIFY:
        return m_modified;
    case EM_SETMODIFY:
        m_modified = wparam != 0;
        return 0;
    case EM_GETLINECOUNT:
        return 1 + std::count(m_text.begin(), m_text.end(), '\n');
    }
    return default_handling(message, wparam, lparam);
}

std::string Edit::shown_text() const
{
    if (m_password && !multiline())
        return std::string(m_text.size(), m_password);
    return m_text;
}

int Edit::text_width(std::string_view text) const
{
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font() ? font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SIZE size {};
    GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    DeleteDC(dc);
    return size.cx;
}

// The byte boundary nearest to client x.
size_t Edit::position_at(int x) const
{
    std::string shown = shown_text();
    int target = x - margin + m_scroll;
    size_t best = 0;
    int best_distance = std::abs(target);
    for (size_t i = 1; i <= shown.size(); ++i) {
        int distance = std::abs(text_width(std::string_view(shown).substr(0, i)) - target);
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

bool Edit::fits(std::string const& candidate) const
{
    if (candidate.size() > m_limit)
        return false;
    if (multiline() || (style() & ES_AUTOHSCROLL))
        return true;
    std::string shown = m_password ? std::string(candidate.size(), m_password) : candidate;
    RECT c = client_rect();
    return text_width(shown) <= c.right - c.left - 2 * margin;
}

bool Edit::replace_selection(std::string_view with, bool user)
{
    std::string insert(with);
    if (!multiline()) {
        auto line_end = insert.find_first_of("\r\n");
        if (line_end != std::string::npos)
            insert.resize(line_end);
    }
    if (style() & ES_UPPERCASE)
        std::transform(insert.begin(), insert.end(), insert.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (style() & ES_LOWERCASE)
        std::transform(insert.begin(), insert.end(), insert.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string candidate = m_text.substr(0, sel_low()) + insert + m_text.substr(sel_high());
    if (!fits(candidate)) {
        MessageBeep(0);
        if (user || candidate.size() > m_limit)
            notify(EN_MAXTEXT);
        return false;
    }
    size_t caret = sel_low() + insert.size();
    m_text = std::move(candidate);
    m_anchor = m_caret = caret;
    changed();
    return true;
}

void Edit::erase(size_t from, size_t to)
{
    if (from >= to)
        return;
    m_text.erase(from, to - from);
    m_anchor = m_caret = from;
    changed();
}

void Edit::changed()
{
    m_modified = true;
    scroll_to_caret();
    notify(EN_UPDATE);
    invalidate();
    notify(EN_CHANGE);
}

void Edit::scroll_to_caret()
{
    if (multiline() || !(style() & ES_AUTOHSCROLL)) {
        m_scroll = 0;
        return;
    }
    std::string shown = shown_text();
    int x = text_width(std::string_view(shown).substr(0, m_caret));
    RECT c = client_rect();
    int visible = std::max(1, static_cast<int>(c.right - c.left) - 2 * margin);
    if (x < m_scroll)
        m_scroll = x;
    else if (x - m_scroll > visible)
        m_scroll = x - visible;
}

void Edit::move_caret(size_t to, bool extend)
{
    m_caret = std::min(to, m_text.size());
    if (!extend)
        m_anchor = m_caret;
    scroll_to_caret();
    invalidate();
}

LRESULT Edit::on_char(WPARAM wparam)
{
    auto ch = static_cast<char>(wparam & 0xFF);
    switch (ch) {
    case 0x03:
        return copy();
    case 0x18:
        return cut();
    case 0x16:
        return paste();
    case '\b':
        if (read_only()) {
            MessageBeep(0);
            return 0;
        }
        if (sel_low() != sel_high())
            erase(sel_low(), sel_high());
        else if (m_caret > 0)
            erase(m_caret - 1, m_caret);
        return 0;
    default:
        break;
    }
    bool newline = ch == '\r' && multiline() && (style() & ES_WANTRETURN);
    if (static_cast<unsigned char>(ch) < 0x20 && !newline)
        return 0;
    if (read_only() || ((style() & ES_NUMBER) && !(ch >= '0' && ch <= '9'))) {
        MessageBeep(0);
        return 0;
    }
    replace_selection(newline ? std::string_view("\n") : std::string_view(&ch, 1), true);
    return 0;
}

LRESULT Edit::on_key_down(WPARAM key)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_LEFT:
        move_caret(m_caret > 0 ? m_caret - 1 : 0, shift);
        break;
    case VK_RIGHT:
        move_caret(m_caret + 1, shift);
        break;
    case VK_HOME:
        move_caret(0, shift);
        break;
    case VK_END:
        move_caret(m_text.size(), shift);
        break;
    case VK_DELETE:
        if (read_only()) {
            MessageBeep(0);
            break;
        }
        if (shift)
            cut();
        else if (sel_low() != sel_high())
            erase(sel_low(), sel_high());
        else if (m_caret < m_text.size())
            erase(m_caret, m_caret + 1);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT Edit::on_button_down(LPARAM lparam)
{
    SetFocus(hwnd());
    SetCapture(hwnd());
    m_dragging = true;
    move_caret(position_at(GET_X_LPARAM(lparam)), GetKeyState(VK_SHIFT) < 0);
    return 0;
}

LRESULT Edit::on_mouse_move(LPARAM lparam)
{
    if (m_dragging && GetCapture() == hwnd())
        move_caret(position_at(GET_X_LPARAM(lparam)), true);
    return 0;
}

LRESULT Edit::on_double_click(LPARAM lparam)
{
    size_t at = std::min(position_at(GET_X_LPARAM(lparam)), m_text.size());
    size_t start = at;
    while (start > 0 && is_word_byte(m_text[start - 1]))
        --start;
    size_t end = at;
    while (end < m_text.size() && is_word_byte(m_text[end]))
        ++end;
    m_anchor = start;
    move_caret(end, true);
    return 0;
}

LRESULT Edit::on_set_text(LPCSTR text)
{
    std::string next = text ? text : "";
    m_anchor = m_caret = 0;
    m_scroll = 0;
    m_modified = false;
    if (next == m_text) {
        // Writing back the same text changes nothing and says nothing, so that an EN_CHANGE
        // handler that sets the text it just read does not run again.
        invalidate();
        return TRUE;
    }
    m_text = std::move(next);
    notify(EN_UPDATE);
    invalidate();
    notify(EN_CHANGE);
    return TRUE;
}

LRESULT Edit::on_get_text(WPARAM size, LPSTR buffer) const
{
    if (!buffer || size == 0)
        return 0;
    size_t n = std::min<size_t>(m_text.size(), size - 1);
    std::memcpy(buffer, m_text.data(), n);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT Edit::on_get_sel(DWORD* start, DWORD* end) const
{
    if (start)
        *start = static_cast<DWORD>(sel_low());
    if (end)
        *end = static_cast<DWORD>(sel_high());
    return MAKELONG(static_cast<WORD>(sel_low()), static_cast<WORD>(sel_high()));
}

// start -1 removes the selection (caret kept); end -1 means the end of the text.
LRESULT Edit::on_set_sel(WPARAM start, LPARAM end)
{
    auto s = static_cast<long long>(static_cast<int>(start));
    auto e = static_cast<long long>(static_cast<int>(end));
    if (s < 0) {
        m_anchor = m_caret;
    } else {
        size_t size = m_text.size();
        m_anchor = std::min<size_t>(static_cast<size_t>(s), size);
        m_caret = e < 0 ? size : std::min<size_t>(static_cast<size_t>(e), size);
    }
    scroll_to_caret();
    invalidate();
    return 0;
}

LRESULT Edit::on_set_password_char(WPARAM ch)
{
    m_password = static_cast<char>(ch & 0xFF);
    DWORD s = style();
    set_style(m_password ? (s | ES_PASSWORD) : (s & ~ES_PASSWORD));
    scroll_to_caret();
    // Shown at once, not at the next paint.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 0;
}

LRESULT Edit::on_set_read_only(bool on)
{
    DWORD s = style();
    set_style(on ? (s | ES_READONLY) : (s & ~ES_READONLY));
    invalidate();
    return TRUE;
}

LRESULT Edit::on_limit(WPARAM limit)
{
    m_limit = limit == 0 ? largest_limit : static_cast<size_t>(limit);
    return 0;
}

LRESULT Edit::on_focus(bool gained)
{
    if (!gained) {
        m_dragging = false;
        if (GetCapture() == hwnd())
            ReleaseCapture();
    }
    invalidate();
    notify(gained ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

LRESULT Edit::copy() const
{
    if (m_password || sel_low() == sel_high())
        return 0;
    user::set_clipboard_text(std::string_view(m_text).substr(sel_low(), sel_high() - sel_low()));
    return 1;
}

LRESULT Edit::cut()
{
    if (m_password || sel_low() == sel_high())
        return 0;
    if (read_only()) {
        MessageBeep(0);
        return 0;
    }
    copy();
    erase(sel_low(), sel_high());
    return 1;
}

LRESULT Edit::paste()
{
    if (read_only()) {
        MessageBeep(0);
        return 0;
    }
    std::string text = user::clipboard_text();
    if (!text.empty())
        replace_selection(text, true);
    return 1;
}

LRESULT Edit::clear()
{
    if (read_only() || sel_low() == sel_high())
        return 0;
    erase(sel_low(), sel_high());
    return 1;
}

void Edit::paint(HDC dc)
{
    RECT c = client_rect();
    bool grey = read_only() || !enabled();
    HBRUSH background = control_colour(dc, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    FillRect(dc, &c, background);
    std::string shown = shown_text();
    if (multiline()) {
        RECT r = c;
        InflateRect(&r, -margin, 0);
        draw_control_text(dc, r, shown, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS, enabled());
        return;
    }
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    int y = std::max(0, static_cast<int>((c.bottom - c.top - tm.tmHeight) / 2));
    int x = margin - m_scroll;
    if (!enabled())
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, x, y, shown.data(), static_cast<int>(shown.size()));
    bool has_focus = focused();
    if (has_focus && sel_low() != sel_high()) {
        int from = x + text_width(std::string_view(shown).substr(0, sel_low()));
        RECT sel { from, y, x + text_width(std::string_view(shown).substr(0, sel_high())), y + tm.tmHeight };
        FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        std::string part = shown.substr(sel_low(), sel_high() - sel_low());
        TextOut(dc, from, y, part.data(), static_cast<int>(part.size()));
    }
    if (has_focus) {
        int caret_x = x + text_width(std::string_view(shown).substr(0, m_caret));
        RECT caret { caret_x, y, caret_x + 1, y + tm.tmHeight };
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

}
