// The few operating-system services the program needs: the three file-name
// operations, the local clock and two questions about files. One POSIX and
// one Windows implementation stand behind this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvatix {

// The longest file name the program handles, as the Windows shell functions do.
constexpr std::size_t kMaxPathLength = 259;

// Removes one pair of enclosing double quotes, if the name has both.
void unquoteSpaces(std::string& path);

// Appends `extension` when the last path component has none. False, with the
// name unchanged, when the result would be longer than kMaxPathLength.
bool addExtension(std::string& path, const char* extension);

// Replaces the last path component's extension (or appends when it has none).
// False, with the name unchanged, when the result would be too long.
bool renameExtension(std::string& path, const char* extension);

struct LocalTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
};

LocalTime readLocalTime();

bool isDirectory(const std::string& path);

// True when both names exist and name the same file (also through links).
bool isSameExistingFile(const std::string& first, const std::string& second);

}  // namespace morvatix
