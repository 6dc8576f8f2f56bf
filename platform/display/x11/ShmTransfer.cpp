#include "platform/display/x11/ShmTransfer.h"

#include "platform/display/x11/PutPixels.h"

#include <atomic>

namespace platform::display::x11 {

namespace {

std::atomic<bool> g_refused { false };
int g_shm_opcode { 0 };

// Installed only around an attachment, which is the one request whose failure is an answer.
int note_refusal(Display*, XErrorEvent* error)
{
    if (error->request_code == g_shm_opcode)
        g_refused = true;
    return 0;
}

// Attaches `info` and waits for the server's answer.
bool attach(Display* display, XShmSegmentInfo& info)
{
    g_refused = false;
    auto previous = XSetErrorHandler(note_refusal);
    XShmAttach(display, &info);
    XSync(display, False);
    XSetErrorHandler(previous);
    return !g_refused;
}

}

bool shm_usable(Display* display)
{
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "MIT-SHM", &g_shm_opcode, &event, &error) || !XShmQueryExtension(display))
        return false;
    PixelMemory probe(1, true);
    if (probe.segment() < 0)
        return false;
    XShmSegmentInfo info {};
    info.shmid = probe.segment();
    info.shmaddr = reinterpret_cast<char*>(probe.data());
    info.readOnly = True;
    if (!attach(display, info))
        return false;
    XShmDetach(display, &info);
    XSync(display, False);
    return true;
}

bool ShmAttachment::put(Display* display, Drawable target, GC gc, std::shared_ptr<PixelMemory> const& memory,
    int stride, RECT const& area, int x, int y)
{
    if (!memory || memory->segment() < 0)
        return false;
    if (memory != m_memory) {
        detach(display);
        m_info = XShmSegmentInfo {};
        m_info.shmid = memory->segment();
        m_info.shmaddr = reinterpret_cast<char*>(memory->data());
        m_info.readOnly = True;
        m_memory = memory;
        m_refused = !attach(display, m_info);
    }
    if (m_refused)
        return false;
    // The image describes the rows down to the area's bottom, as PutPixels does.
    XImage image {};
    if (!describe_pixels(image, display, m_info.shmaddr, stride, area.bottom))
        return false;
    image.obdata = reinterpret_cast<char*>(&m_info);
    XShmPutImage(display, target, gc, &image, area.left, area.top, x, y, static_cast<unsigned>(area.right - area.left),
        static_cast<unsigned>(area.bottom - area.top), False);
    // The caller holds the pixels still until this returns: the server reads them after the
    // request, not with it.
    XSync(display, False);
    return true;
}

void ShmAttachment::detach(Display* display)
{
    if (m_memory && !m_refused) {
        XShmDetach(display, &m_info);
    }
    m_memory.reset();
    m_refused = false;
}

}
