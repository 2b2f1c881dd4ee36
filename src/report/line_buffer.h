// The one buffer every report line is built in, and the bounded appends that
// fill it. No line of the report comes near the capacity, but every write is
// still held to the room that is left.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace morvatix {

constexpr std::size_t kLineCapacity = 1024;  // terminator included

struct LineBuffer {
    char text[kLineCapacity] = {};
    std::size_t length = 0;  // at most kLineCapacity - 1
};

inline std::size_t roomLeft(const LineBuffer& line)
{
    return kLineCapacity - 1 - line.length;
}

inline void appendChars(LineBuffer& line, const char* text, std::size_t count)
{
    count = std::min(count, roomLeft(line));
    std::memcpy(line.text + line.length, text, count);
    line.length += count;
}

template <std::size_t N>
void appendLiteral(LineBuffer& line, const char (&text)[N])
{
    appendChars(line, text, N - 1);
}

inline void appendSpaces(LineBuffer& line, std::size_t count)
{
    count = std::min(count, roomLeft(line));
    std::memset(line.text + line.length, ' ', count);
    line.length += count;
}

inline void setLine(LineBuffer& line, const char* text, std::size_t count)
{
    line.length = 0;
    appendChars(line, text, count);
}

// Appends a piece of at most MaxWidth characters produced by write(char*),
// which returns how many it wrote. When the room is short the piece is built
// aside and cut to fit.
template <std::size_t MaxWidth, typename Write>
std::size_t appendPiece(LineBuffer& line, Write write)
{
    const std::size_t room = roomLeft(line);
    if (room >= MaxWidth) {
        const std::size_t written = write(line.text + line.length);
        line.length += written;
        return written;
    }
    char piece[MaxWidth];
    const std::size_t written = std::min<std::size_t>(write(piece), room);
    std::memcpy(line.text + line.length, piece, written);
    line.length += written;
    return written;
}

}  // namespace morvatix
