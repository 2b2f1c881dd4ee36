#include "platform/platform.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

namespace morvatix {

namespace {

// The shell functions work in place on a MAX_PATH buffer; callers keep names
// short enough that the extension always fits.
template <typename Operation>
void inPathBuffer(std::string& path, Operation operation)
{
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    path.copy(buffer.data(), MAX_PATH);
    operation(buffer.data());
    path.assign(buffer.data());
}

}  // namespace

void unquoteSpaces(std::string& path)
{
    inPathBuffer(path, [](char* text) { PathUnquoteSpacesA(text); });
}

void addExtension(std::string& path, const char* extension)
{
    inPathBuffer(path, [extension](char* text) { PathAddExtensionA(text, extension); });
}

void renameExtension(std::string& path, const char* extension)
{
    inPathBuffer(path, [extension](char* text) { PathRenameExtensionA(text, extension); });
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
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool ok = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return ok;
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
