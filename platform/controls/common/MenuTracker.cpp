#include "platform/controls/common/MenuTracker.h"

#include "platform/controls/common/Registration.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Input.h"
#include "platform/user/WindowCore.h"

#include <algorithm>
#include <cctype>

namespace platform::commctrl {

namespace {

constexpr char kMenuClass[] = "#32768";
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 8;
constexpr int kTextIndent = 20;

MenuTracker* g_current = nullptr;
MenuHook g_hook;

class OpenMenuView final : public OpenMenu {
public:
    OpenMenuView(MenuTracker& tracker, MenuTracker::Level& level)
        : m_tracker(tracker)
        , m_level(level)
    {
    }
    HMENU menu() const override { return m_level.menu; }
    HWND window() const override { return m_level.window; }
    int selected() const override { return m_level.selected; }
    std::vector<OpenMenuItem> items() const override
    {
        std::vector<OpenMenuItem> out;
        MenuModel* model = MenuModel::from(m_level.menu);
        for (std::size_t i = 0; model && i < model->items().size(); ++i) {
            MenuItem const& item = model->items()[i];
            out.push_back({ item.id, item.flags(), item.text, m_level.rects[i] });
        }
        return out;
    }
    bool choose(UINT id) override
    {
        MenuModel* model = MenuModel::from(m_level.menu);
        for (std::size_t i = 0; model && i < model->items().size(); ++i) {
            if (model->items()[i].id == id && !model->items()[i].submenu)
                return m_tracker.choose(m_level, static_cast<int>(i));
        }
        return false;
    }
    void cancel() override { m_tracker.cancel(); }

private:
    MenuTracker& m_tracker;
    MenuTracker::Level& m_level;
};

LRESULT menu_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    MenuTracker* tracker = MenuTracker::current();
    if (message == WM_PAINT) {
        PAINTSTRUCT ps {};
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc && tracker)
            tracker->paint_level(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_PRINTCLIENT && tracker) {
        tracker->paint_level(hwnd, reinterpret_cast<HDC>(wparam));
        return 0;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return DefWindowProc(hwnd, message, wparam, lparam);
}

bool is_key_message(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_SYSKEYDOWN
        || message == WM_SYSKEYUP || message == WM_SYSCHAR;
}

}

void set_menu_hook(MenuHook hook)
{
    g_hook = std::move(hook);
}

void register_menu_window_class()
{
    WNDCLASSEX wc {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = menu_window_proc;
    wc.lpszClassName = kMenuClass;
    user::register_system_class(wc);
}

MenuTracker::MenuTracker(HWND owner, UINT flags)
    : m_owner(owner)
    , m_flags(flags)
    , m_previous(g_current)
{
    g_current = this;
}

MenuTracker::~MenuTracker()
{
    close_levels_above(0);
    g_current = m_previous;
}

MenuTracker* MenuTracker::current()
{
    return g_current;
}

UINT MenuTracker::track(HMENU menu, POINT at)
{
    bool notify = !(m_flags & TPM_NONOTIFY);
    if (notify)
        SendMessage(m_owner, WM_ENTERMENULOOP, TRUE, 0);
    GetCursorPos(&m_pointer);
    open_level(menu, at, m_flags & TPM_RIGHTALIGN);
    while (!m_done && !m_levels.empty()) {
        MSG msg {};
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            cancel();
        } else if (is_key_message(msg.message)) {
            if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
                on_key(msg);
            else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
                on_char(static_cast<char>(msg.wParam));
        } else if (!on_mouse(msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    close_levels_above(0);
    if (GetCapture())
        ReleaseCapture();
    if (notify && IsWindow(m_owner))
        SendMessage(m_owner, WM_EXITMENULOOP, TRUE, 0);
    return m_command;
}

SIZE MenuTracker::measure(MenuItem const& item, std::vector<RECT>& rects, int top)
{
    SIZE size { 0, item.separator() ? kSeparatorHeight : kItemHeight };
    if (item.owner_drawn() && !item.separator()) {
        MEASUREITEMSTRUCT mis { ODT_MENU, 0, item.id, 0, static_cast<UINT>(kItemHeight), item.data };
        SendMessage(m_owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        size = { static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight) };
    } else if (!item.separator()) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SIZE text {};
        GetTextExtentPoint32(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text);
        SelectObject(dc, old);
        DeleteDC(dc);
        size.cx = text.cx + 2 * kTextIndent;
    }
    rects.push_back({ 0, top, size.cx, top + size.cy });
    return size;
}

void MenuTracker::open_level(HMENU menu, POINT at, bool right_align)
{
    MenuModel* model = MenuModel::from(menu);
    if (!model)
        return;
    if (!(m_flags & TPM_NONOTIFY))
        SendMessage(m_owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, 0));
    auto level = std::make_unique<Level>();
    level->menu = menu;
    int width = 0;
    int height = 0;
    for (std::size_t i = 0; i < model->items().size(); ++i) {
        SIZE size = measure(model->items()[i], level->rects, height);
        width = std::max<int>(width, size.cx);
        height += size.cy;
    }
    for (RECT& r : level->rects)
        r.right = width;
    int x = right_align ? at.x - width - 2 : at.x;
    int y = (m_flags & TPM_BOTTOMALIGN) ? at.y - height - 2 : at.y;
    RECT screen = user::desktop_rect();
    x = std::clamp(x, 0, std::max(0, static_cast<int>(screen.right) - width - 2));
    y = std::clamp(y, 0, std::max(0, static_cast<int>(screen.bottom) - height - 2));
    level->window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMenuClass, "", WS_POPUP | WS_BORDER, x, y, width + 2,
        height + 2, m_owner, nullptr, nullptr, nullptr);
    ShowWindow(level->window, SW_SHOWNA);
    SetCapture(level->window);
    m_levels.push_back(std::move(level));
    if (g_hook) {
        OpenMenuView view(*this, *m_levels.back());
        MenuHook hook = g_hook;
        hook(view);
    }
}

void MenuTracker::close_levels_above(std::size_t depth)
{
    while (m_levels.size() > depth) {
        if (IsWindow(m_levels.back()->window))
            DestroyWindow(m_levels.back()->window);
        m_levels.pop_back();
    }
    if (!m_levels.empty())
        SetCapture(m_levels.back()->window);
}

void MenuTracker::select(Level& level, int position)
{
    if (level.selected == position)
        return;
    level.selected = position;
    InvalidateRect(level.window, nullptr, FALSE);
    MenuModel* model = MenuModel::from(level.menu);
    if (!(m_flags & TPM_NONOTIFY) && model && position >= 0) {
        MenuItem const& item = model->items()[static_cast<std::size_t>(position)];
        UINT id = item.submenu ? static_cast<UINT>(position) : item.id;
        SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(item.flags())),
            reinterpret_cast<LPARAM>(level.menu));
    }
}

bool MenuTracker::choose(Level& level, int position)
{
    MenuModel* model = MenuModel::from(level.menu);
    if (!model || position < 0 || static_cast<std::size_t>(position) >= model->items().size())
        return false;
    MenuItem const& item = model->items()[static_cast<std::size_t>(position)];
    if (item.submenu) {
        select(level, position);
        open_selected_submenu(level);
        return false;
    }
    if (!item.choosable())
        return false;
    end(item.id);
    return true;
}

void MenuTracker::cancel()
{
    end(0);
}

void MenuTracker::open_selected_submenu(Level& level)
{
    MenuModel* model = MenuModel::from(level.menu);
    if (!model || level.selected < 0)
        return;
    MenuItem const& item = model->items()[static_cast<std::size_t>(level.selected)];
    if (!item.submenu || (item.state & (MF_GRAYED | MF_DISABLED)))
        return;
    auto depth = static_cast<std::size_t>(std::find_if(m_levels.begin(), m_levels.end(), [&](auto const& l) { return l.get() == &level; }) - m_levels.begin());
    close_levels_above(depth + 1);
    RECT rect = level.rects[static_cast<std::size_t>(level.selected)];
    POINT at { rect.right, rect.top };
    ClientToScreen(level.window, &at);
    open_level(item.submenu, at, false);
}

void MenuTracker::on_key(MSG const& msg)
{
    Level& level = *m_levels.back();
    MenuModel* model = MenuModel::from(level.menu);
    int count = model ? static_cast<int>(model->items().size()) : 0;
    // Moves to the next item that is not a separator, wrapping around.
    auto step = [&](int direction) {
        for (int n = 1; n <= count; ++n) {
            int at = level.selected;
            int candidate = at < 0 ? (direction > 0 ? n - 1 : count - n) : ((at + direction * n) % count + count) % count;
            if (!model->items()[static_cast<std::size_t>(candidate)].separator()) {
                select(level, candidate);
                return;
            }
        }
    };
    switch (static_cast<int>(msg.wParam)) {
    case VK_DOWN:
        if (count)
            step(1);
        break;
    case VK_UP:
        if (count)
            step(-1);
        break;
    case VK_RIGHT:
        open_selected_submenu(level);
        break;
    case VK_LEFT:
        if (m_levels.size() > 1)
            close_levels_above(m_levels.size() - 1);
        break;
    case VK_ESCAPE:
        if (m_levels.size() > 1)
            close_levels_above(m_levels.size() - 1);
        else
            cancel();
        break;
    case VK_RETURN:
        if (level.selected >= 0)
            choose(level, level.selected);
        break;
    default:
        TranslateMessage(&msg); // typed characters come back as WM_CHAR
        break;
    }
}

// A mnemonic ("&x" in an item's text) chooses its item; otherwise the owner answers
// WM_MENUCHAR: MNC_EXECUTE chooses, MNC_SELECT selects, MNC_CLOSE closes the menu.
void MenuTracker::on_char(char ch)
{
    Level& level = *m_levels.back();
    MenuModel* model = MenuModel::from(level.menu);
    if (!model)
        return;
    char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (std::size_t i = 0; i < model->items().size(); ++i) {
        std::string const& text = model->items()[i].text;
        std::size_t amp = text.find('&');
        if (amp != std::string::npos && amp + 1 < text.size() && std::tolower(static_cast<unsigned char>(text[amp + 1])) == wanted) {
            choose(level, static_cast<int>(i));
            return;
        }
    }
    LRESULT answer = SendMessage(m_owner, WM_MENUCHAR, MAKEWPARAM(static_cast<BYTE>(ch), MF_POPUP), reinterpret_cast<LPARAM>(level.menu));
    int position = LOWORD(static_cast<DWORD_PTR>(answer));
    switch (HIWORD(static_cast<DWORD_PTR>(answer))) {
    case MNC_EXECUTE:
        choose(level, position);
        break;
    case MNC_SELECT:
        if (position < static_cast<int>(model->items().size()))
            select(level, position);
        break;
    case MNC_CLOSE:
        cancel();
        break;
    default:
        MessageBeep(0);
        break;
    }
}

MenuTracker::Level* MenuTracker::level_at(POINT screen, int& position)
{
    position = -1;
    for (auto it = m_levels.rbegin(); it != m_levels.rend(); ++it) {
        RECT window {};
        GetWindowRect((*it)->window, &window);
        if (!PtInRect(&window, screen))
            continue;
        POINT client = screen;
        ScreenToClient((*it)->window, &client);
        for (std::size_t i = 0; i < (*it)->rects.size(); ++i) {
            if (PtInRect(&(*it)->rects[i], client))
                position = static_cast<int>(i);
        }
        return it->get();
    }
    return nullptr;
}

bool MenuTracker::on_mouse(MSG const& msg)
{
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST || msg.message == WM_MOUSEWHEEL)
        return false;
    POINT screen { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
    ClientToScreen(msg.hwnd, &screen);
    if (msg.message == WM_MOUSEMOVE) {
        bool const still = screen.x == m_pointer.x && screen.y == m_pointer.y;
        m_pointer = screen;
        if (still)
            return true;
    }
    int position = -1;
    Level* level = level_at(screen, position);
    bool press = msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN;
    bool release = msg.message == WM_LBUTTONUP || (msg.message == WM_RBUTTONUP && (m_flags & TPM_RIGHTBUTTON));
    if (!level) {
        if (press)
            cancel();
        return true;
    }
    if (msg.message == WM_MOUSEMOVE && position >= 0)
        select(*level, position);
    else if ((release || press) && position >= 0) {
        select(*level, position);
        if (release)
            choose(*level, position);
        else
            open_selected_submenu(*level);
    }
    return true;
}

void MenuTracker::paint_level(HWND window, HDC dc)
{
    for (auto const& level : m_levels) {
        if (level->window != window)
            continue;
        RECT client {};
        GetClientRect(window, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
        for (std::size_t i = 0; i < level->rects.size(); ++i)
            draw_item(*level, static_cast<int>(i), dc);
    }
}

void MenuTracker::draw_item(Level const& level, int position, HDC dc)
{
    MenuItem const& item = MenuModel::from(level.menu)->items()[static_cast<std::size_t>(position)];
    RECT rect = level.rects[static_cast<std::size_t>(position)];
    bool selected = level.selected == position;
    if (item.owner_drawn()) {
        UINT state = (selected ? ODS_SELECTED : 0) | ((item.state & MF_GRAYED) ? ODS_GRAYED : 0)
            | ((item.state & MF_DISABLED) ? ODS_DISABLED : 0) | ((item.state & MF_CHECKED) ? ODS_CHECKED : 0);
        DRAWITEMSTRUCT dis { ODT_MENU, 0, item.id, ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(level.menu), dc, rect, item.data };
        SendMessage(m_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    if (item.separator()) {
        RECT line = { rect.left + 1, (rect.top + rect.bottom) / 2 - 1, rect.right - 1, (rect.top + rect.bottom) / 2 + 1 };
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    bool grey = item.state & (MF_GRAYED | MF_DISABLED);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    if (item.state & MF_CHECKED) {
        RECT mark = { rect.left + 6, rect.top + 6, rect.left + 12, rect.bottom - 6 };
        FillRect(dc, &mark, GetSysColorBrush(grey ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    RECT text = { rect.left + kTextIndent, rect.top, rect.right - kTextIndent, rect.bottom };
    DrawText(dc, item.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, old);
}

}

using platform::commctrl::MenuModel;
using platform::commctrl::MenuTracker;

extern "C" {

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, TPMPARAMS const*)
{
    if (!MenuModel::from(menu) || !IsWindow(owner) || !platform::user::on_ui_thread())
        return FALSE;
    platform::commctrl::register_classes();
    UINT command = 0;
    {
        MenuTracker tracker(owner, flags);
        command = tracker.track(menu, { x, y });
    }
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command && IsWindow(owner))
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
    return command != 0;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, RECT const*)
{
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu()
{
    MenuTracker* tracker = MenuTracker::current();
    if (!tracker)
        return FALSE;
    tracker->cancel();
    return TRUE;
}

}
