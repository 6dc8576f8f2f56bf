#include "platform/framework/ResourceApi.h"

#include "platform/framework/Resources.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/SysPaint.h"
#include "platform/user/Trace.h"

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <vector>

using namespace platform::framework;

namespace {

int id_of(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
    if (name && name[0] == '#')
        return std::atoi(name + 1);
    return -1;
}

COLORREF swap_rb(COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); }

// Pixels of the 32-bit DIBs the PNG reader makes are 0xAARRGGBB.
void map_3d_colours(HBITMAP bitmap)
{
    BITMAP bm {};
    if (!GetObject(bitmap, sizeof bm, &bm) || !bm.bmBits || bm.bmBitsPixel != 32)
        return;
    struct Pair {
        DWORD from;
        int to;
    };
    Pair const pairs[] = { { 0x000000, COLOR_BTNTEXT }, { 0x808080, COLOR_BTNSHADOW }, { 0xC0C0C0, COLOR_BTNFACE },
        { 0xFFFFFF, COLOR_BTNHIGHLIGHT } };
    auto* pixels = static_cast<DWORD*>(bm.bmBits);
    size_t const count = static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight);
    for (size_t i = 0; i < count; ++i) {
        DWORD const alpha = pixels[i] & 0xFF000000u;
        if (!alpha)
            continue;
        for (Pair const& p : pairs) {
            if ((pixels[i] & 0xFFFFFF) == p.from && alpha == 0xFF000000u)
                pixels[i] = alpha | swap_rb(GetSysColor(p.to));
        }
    }
}

// The AND mask of a PNG's alpha: set where a pixel is more transparent than opaque, so that
// drawing the icon keeps the background there instead of painting the (zero) colour black.
// The PNG reader gives top-down 32-bit pixels with alpha in the top byte.
std::vector<BYTE> transparency_mask(BITMAP const& bm, int height)
{
    size_t const stride = static_cast<size_t>((bm.bmWidth + 15) / 16 * 2);
    std::vector<BYTE> mask(stride * static_cast<size_t>(height), 0);
    auto const* pixels = static_cast<std::uint32_t const*>(bm.bmBits);
    if (!pixels || bm.bmBitsPixel != 32)
        return mask;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < bm.bmWidth; ++x) {
            std::uint32_t const alpha = pixels[static_cast<size_t>(y) * static_cast<size_t>(bm.bmWidth) + static_cast<size_t>(x)] >> 24;
            if (alpha < 128)
                mask[static_cast<size_t>(y) * stride + static_cast<size_t>(x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    return mask;
}

// The colour image and mask of one icon file, decoded once. The configuration window asks for
// the same few icons for many buttons, and decoding a PNG costs far more than copying it
// (CreateIconIndirect copies both bitmaps, so the cached ones are never handed out). The file's
// time and size are part of the key, so a rewritten file is decoded again.
struct DecodedIcon {
    HBITMAP colour = nullptr;
    HBITMAP mask = nullptr;
};

struct IconKey {
    std::string path;
    std::int64_t mtime_ns = 0;
    std::int64_t size = 0;
    bool operator<(IconKey const& o) const
    {
        return std::tie(path, mtime_ns, size) < std::tie(o.path, o.mtime_ns, o.size);
    }
};

DecodedIcon decode_icon(std::string const& path)
{
    HBITMAP const colour = platform::gdi::read_png(path);
    if (!colour)
        return {};
    BITMAP bm {};
    GetObject(colour, sizeof bm, &bm);
    int const height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    std::vector<BYTE> const bits = transparency_mask(bm, height);
    return DecodedIcon { colour, CreateBitmap(bm.bmWidth, height, 1, 1, bits.data()) };
}

DecodedIcon cached_icon(std::string const& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        platform::report_unreadable_file(path, std::strerror(errno));
        return {};
    }
    IconKey key { path, static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
        static_cast<std::int64_t>(st.st_size) };
    static std::mutex mutex;
    static auto* cache = new std::map<IconKey, DecodedIcon>; // kept until the process ends
    std::lock_guard lock(mutex);
    auto it = cache->find(key);
    if (it != cache->end())
        return it->second;
    DecodedIcon decoded = decode_icon(path);
    if (decoded.colour && decoded.mask)
        cache->emplace(std::move(key), decoded);
    return decoded;
}

HICON icon_from(std::string const& path, POINT hotspot)
{
    DecodedIcon const decoded = cached_icon(path);
    if (!decoded.colour || !decoded.mask)
        return nullptr;
    // A declared hot spot is kept (as for a cursor); otherwise the centre is the hot spot.
    bool const has_hotspot = hotspot.x || hotspot.y;
    ICONINFO info { has_hotspot ? FALSE : TRUE, static_cast<DWORD>(hotspot.x), static_cast<DWORD>(hotspot.y), decoded.mask,
        decoded.colour };
    return CreateIconIndirect(&info);
}

}

extern "C" {

HINSTANCE AfxGetResourceHandle() { return nullptr; }
HINSTANCE AfxGetInstanceHandle() { return nullptr; }

HICON LoadIcon(HINSTANCE, LPCSTR name)
{
    ImageResource const* image = resources().icon(id_of(name));
    return image ? icon_from(image->path, image->hotspot) : nullptr;
}

HBITMAP LoadBitmap(HINSTANCE, LPCSTR name)
{
    ImageResource const* image = resources().bitmap(id_of(name));
    if (!image)
        image = resources().toolbar(id_of(name));
    return image ? platform::gdi::read_png(image->path) : nullptr;
}

HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT flags)
{
    bool const from_file = (flags & LR_LOADFROMFILE) && !IS_INTRESOURCE(name);
    if (type == IMAGE_BITMAP) {
        HBITMAP const bitmap = from_file ? platform::gdi::read_png(name) : LoadBitmap(instance, name);
        if (bitmap && (flags & LR_LOADMAP3DCOLORS))
            map_3d_colours(bitmap);
        return bitmap;
    }
    if (type == IMAGE_ICON || type == IMAGE_CURSOR)
        return from_file ? icon_from(name, POINT {}) : LoadIcon(instance, name);
    return nullptr;
}

int LoadString(HINSTANCE, UINT id, LPSTR buffer, int size)
{
    std::string const* text = resources().string(static_cast<int>(id));
    if (!buffer || size < 0)
        return 0;
    if (size == 0) {
        *reinterpret_cast<LPCSTR*>(buffer) = text ? text->c_str() : nullptr;
        return text ? static_cast<int>(text->size()) : 0;
    }
    size_t length = text ? std::min(text->size(), static_cast<size_t>(size - 1)) : 0;
    // Cut before a continuation byte, so the copy ends on a whole character.
    while (text && length < text->size() && length > 0 && ((*text)[length] & 0xC0) == 0x80)
        --length;
    if (text)
        text->copy(buffer, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

HRSRC FindResource(HMODULE, LPCSTR name, LPCSTR type)
{
    std::string const kind = IS_INTRESOURCE(type) ? "#" + std::to_string(id_of(type)) : std::string(type ? type : "");
    RawResource const* raw = resources().raw(id_of(name), kind);
    return reinterpret_cast<HRSRC>(const_cast<RawResource*>(raw));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    return resource;
}

LPVOID LockResource(HGLOBAL data)
{
    auto* raw = static_cast<RawResource*>(data);
    return raw ? raw->bytes.data() : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    auto const* raw = reinterpret_cast<RawResource const*>(resource);
    return raw ? static_cast<DWORD>(raw->bytes.size()) : 0;
}

}
