#include "platform/display/headless/HeadlessPresenter.h"

#include <cstdio>
#include <cstdlib>

namespace platform::display {

namespace {

constexpr SIZE default_desktop { 1024, 768 };

}

SIZE parse_desktop_size(char const* text)
{
    if (!text)
        return {};
    int width = 0;
    int height = 0;
    char rest = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &rest) != 2)
        return {};
    if (width < 1 || height < 1 || width > 16384 || height > 16384)
        return {};
    return SIZE { width, height };
}

HeadlessPresenter::HeadlessPresenter(SIZE desktop)
{
    if (desktop.cx <= 0 || desktop.cy <= 0)
        desktop = parse_desktop_size(std::getenv("VX_DESKTOP_SIZE"));
    if (desktop.cx <= 0 || desktop.cy <= 0)
        desktop = default_desktop;
    user::set_desktop_size(desktop.cx, desktop.cy);
}

void HeadlessPresenter::damaged(HWND top, RECT const& area)
{
    auto [it, added] = m_damage.try_emplace(top, area);
    if (!added)
        UnionRect(&it->second, &it->second, &area);
}

void HeadlessPresenter::window_destroyed(HWND hwnd)
{
    m_damage.erase(hwnd);
}

RECT HeadlessPresenter::take_damage(HWND top)
{
    auto it = m_damage.find(top);
    if (it == m_damage.end())
        return {};
    RECT area = it->second;
    m_damage.erase(it);
    return area;
}

}
