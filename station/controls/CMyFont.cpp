#include "station/controls/CMyFont.h"

BOOL CMyFont::CreateCopy(HFONT font)
{
    LOGFONT log {};
    if (!font || !::GetObject(font, sizeof log, &log))
        return FALSE;
    DeleteObject();
    return CreateFontIndirect(&log);
}

int CMyFont::GetEscapement() const
{
    LOGFONT log {};
    if (!m_hObject || !GetLogFont(&log))
        return 0;
    return static_cast<int>(log.lfEscapement);
}
