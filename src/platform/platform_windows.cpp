#include "platform/platform.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstring>

namespace morvatix {

namespace {

// The shell functions work in place on a buffer of MAX_PATH characters.
struct PathBuffer {
    char text[MAX_PATH + 1] = {};
};

PathBuffer toBuffer(const std::string& path)
{
    PathBuffer buffer;
    path.copy(buffer.text, MAX_PATH);
    return buffer;
}

// Characters before the extension that the shell recognises, or the whole name.
std::size_t stemLength(const PathBuffer& buffer)
{
    return static_cast<std::size_t>(PathFindExtensionA(buffer.text) - buffer.text);
}

}  // namespace

void unquoteSpaces(std::string& path)
{
    PathBuffer buffer = toBuffer(path);
    PathUnquoteSpacesA(buffer.text);
    path.assign(buffer.text);
}

bool addExtension(std::string& path, const char* extension)
{
    PathBuffer buffer = toBuffer(path);
    const bool hasExtension = stemLength(buffer) < path.size();
    if (!hasExtension && path.size() + std::strlen(extension) > kMaxPathLength) {
        return false;
    }
    PathAddExtensionA(buffer.text, extension);
    path.assign(buffer.text);
    return true;
}

bool renameExtension(std::string& path, const char* extension)
{
    PathBuffer buffer = toBuffer(path);
    if (stemLength(buffer) + std::strlen(extension) > kMaxPathLength) {
        return false;
    }
    PathRenameExtensionA(buffer.text, extension);
    path.assign(buffer.text);
    return true;
}

LocalTime readLocalTime()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {

bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool isSameExistingFile(const std::string& first, const std::string& second)
{
    BY_HANDLE_FILE_INFORMATION a{};
    BY_HANDLE_FILE_INFORMATION b{};
    if (!fileIdentity(first, a) || !fileIdentity(second, b)) {
        return false;
    }
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace morvatix
