#include "station/core/HexText.h"

BYTE HexCharToNibble(char c)
{
    if (c >= '0' && c <= '9')
        return BYTE(c - '0');
    if (c >= 'A' && c <= 'F')
        return BYTE(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return BYTE(c - 'a' + 10);
    return 255;
}

std::size_t HexStringToBytes(const char* text, BYTE* destination, std::size_t count)
{
    if (!text || !destination)
        return 0;
    std::size_t i = 0;
    for (; i < count; ++i) {
        char const high = text[2 * i];
        if (high == '\0')
            break;
        char const low = text[2 * i + 1];
        if (low == '\0')
            break;
        destination[i] = BYTE((HexCharToNibble(high) << 4) + HexCharToNibble(low));
    }
    return i;
}

bool IsHexString(const char* text)
{
    if (!text)
        return true;
    for (; *text; ++text) {
        if (HexCharToNibble(*text) == 255)
            return false;
    }
    return true;
}
