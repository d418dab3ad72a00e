#pragma once

// A byte below 0x40 is a character of its own in every encoding read here, and no
// character's later byte: the text before it and the text from it are read alike whether
// read apart or together.
inline bool IsBoundaryByte(char byte)
{
    return static_cast<unsigned char>(byte) < 0x40;
}

// The first boundary byte in [from, from + within), within [from, end); null without one.
inline const char* BoundaryFrom(const char* from, const char* end, long within = 4096)
{
    const char* last = end - from > within ? from + within : end;
    for (const char* p = from; p < last; ++p)
        if (IsBoundaryByte(*p))
            return p;
    return nullptr;
}
