// Icon helpers of the owner-drawn button: the size it draws an icon at (twice the icon's hot
// spot, as the icon information reports it) and the rest icons it derives from a hover icon
// (a grey copy and a darker copy, black pixels kept black, the hover icon's mask kept).
#pragma once

#include "platform/gdi/Gdi.h"

namespace station::controls {

struct IconSize {
    int width {};
    int height {};
};

// False when the icon information cannot be read (no icon, or a destroyed one).
bool read_icon_size(HICON icon, IconSize& out);

enum class DerivedIcon {
    Grey,
    Darker,
};

// The integer part of 0.299 R + 0.587 G + 0.114 B, and of three quarters of a channel.
BYTE grey_level(BYTE red, BYTE green, BYTE blue);
BYTE darker_level(BYTE channel);

// A new icon (the caller owns it), or null when `source` has no readable colour image. The
// walk covers twice the hot spot each way but never more than the colour image, whatever
// hot spot the icon declares.
HICON derive_icon(HICON source, DerivedIcon kind);

}
