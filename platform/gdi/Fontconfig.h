// The fontconfig functions the font cache calls, from libfontconfig opened on first use: a
// program whose font answers are all kept (FontMatchCache) never maps it, nor the XML parser
// it brings along.
#pragma once

#include <fontconfig/fontconfig.h>

namespace platform::gdi {

struct Fontconfig {
#define ZORVEL_FONTCONFIG_FUNCTIONS(X)                                                                                 \
    X(FcInit)                                                                                                          \
    X(FcFini)                                                                                                          \
    X(FcPatternCreate)                                                                                                 \
    X(FcPatternAddString)                                                                                              \
    X(FcPatternAddInteger)                                                                                             \
    X(FcPatternAddCharSet)                                                                                             \
    X(FcPatternGetString)                                                                                              \
    X(FcPatternDestroy)                                                                                                \
    X(FcCharSetCreate)                                                                                                 \
    X(FcCharSetAddChar)                                                                                                \
    X(FcCharSetDestroy)                                                                                                \
    X(FcConfigSubstitute)                                                                                              \
    X(FcDefaultSubstitute)                                                                                             \
    X(FcFontMatch)
#define ZORVEL_FONTCONFIG_MEMBER(name) decltype(&::name) name;
    ZORVEL_FONTCONFIG_FUNCTIONS(ZORVEL_FONTCONFIG_MEMBER)
#undef ZORVEL_FONTCONFIG_MEMBER
};

// Opens the library on the first call; ends the program as the dynamic loader would when the
// library or one of its functions is missing.
Fontconfig const& fontconfig();

}
