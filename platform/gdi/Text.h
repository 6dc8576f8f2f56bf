// Fonts and text as application code calls them: logical fonts, metrics, extents, TextOut
// and DrawText. Text is UTF-8; counts are in bytes (-1: up to the terminating zero).
//
// The layer's choices:
// - 96 pixels per inch. A negative lfHeight is the character height (the em size in pixels),
//   a positive one the cell height (ascent + descent), 0 a cell height of 16.
// - Faces that Linux lacks are mapped to installed ones by a substitution table (see
//   FontResolver.h); glyphs a face lacks come from a fallback face found by fontconfig.
// - Weights of 600 and more are bold; a face without a bold or italic style is emboldened or
//   slanted. tmOverhang is 0, as for outline fonts.
// - Escapement is honoured in steps of 90 degrees (0, 900, 1800, 2700); others draw as 0.
// - DrawText: "&" underlines the next character and "&&" shows "&" unless DT_NOPREFIX;
//   DT_VCENTER and DT_BOTTOM act only with DT_SINGLELINE; DT_CALCRECT on one line moves the
//   right and bottom edges to the text, on several lines keeps the width (wider only when a
//   word does not fit) and moves the bottom edge; DT_WORDBREAK breaks between words and a
//   word longer than the line is broken between characters only with DT_EDITCONTROL;
//   DT_EDITCONTROL leaves out a last line that would be cut by the bottom edge; DT_END_ELLIPSIS
//   ends each line too wide with "..."; DT_PATH_ELLIPSIS keeps the last path component and
//   puts "..." before it; tabs expand to 8 average character widths with DT_EXPANDTABS.
//   Text is clipped to the rectangle unless DT_NOCLIP. DrawText draws with TA_LEFT | TA_TOP
//   whatever the DC's alignment, and returns the height of the text.
// - Glyphs are antialiased, or monochrome after platform::gdi::set_monochrome_glyphs(true).
#pragma once

#include "platform/gdi/Gdi.h"

constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
using LOGFONTA = LOGFONT;

struct TEXTMETRIC {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
using TEXTMETRICA = TEXTMETRIC;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE SHIFTJIS_CHARSET = 128;
constexpr BYTE HANGUL_CHARSET = 129;
constexpr BYTE GB2312_CHARSET = 134;
constexpr BYTE CHINESEBIG5_CHARSET = 136;
constexpr BYTE OEM_CHARSET = 255;

constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DRAFT_QUALITY = 1;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT GDI_ERROR = 0xFFFFFFFFu;

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;

extern "C" {

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
    DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
    DWORD pitch_and_family, LPCSTR face);
HFONT CreateFontIndirect(LOGFONT const* font);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* out);
BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, SIZE* out);
BOOL GetTextExtentPoint(HDC dc, LPCSTR text, int count, SIZE* out);
// Widths of the code points first..last.
BOOL GetCharWidth(HDC dc, UINT first, UINT last, INT* out);
BOOL GetCharWidth32(HDC dc, UINT first, UINT last, INT* out);
int GetTextFace(HDC dc, int size, LPSTR out);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count);
// `dx`, when given, holds the advance after each code point of the text.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, RECT const* rect, LPCSTR text, UINT count, INT const* dx);
int DrawText(HDC dc, LPCSTR text, int count, RECT* rect, UINT format);

}
