#include "platform/platform.h"

#include <sys/stat.h>

#include <cstring>
#include <ctime>

namespace morvatix {

namespace {

// Index of the extension's dot in the last component, or npos.
std::string::size_type extensionStart(const std::string& path)
{
    const auto slash = path.rfind('/');
    const auto componentStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || dot < componentStart) {
        return std::string::npos;
    }
    return dot;
}

}  // namespace

void unquoteSpaces(std::string& path)
{
    if (!path.empty() && path.front() == '"' && path.back() == '"') {
        path.pop_back();
        if (!path.empty()) {
            path.erase(0, 1);
        }
    }
}

bool addExtension(std::string& path, const char* extension)
{
    if (extensionStart(path) != std::string::npos) {
        return true;
    }
    if (path.size() + std::strlen(extension) > kMaxPathLength) {
        return false;
    }
    path += extension;
    return true;
}

bool renameExtension(std::string& path, const char* extension)
{
    const auto dot = extensionStart(path);
    const auto stem = dot == std::string::npos ? path.size() : dot;
    if (stem + std::strlen(extension) > kMaxPathLength) {
        return false;
    }
    path.erase(stem);
    path += extension;
    return true;
}

LocalTime readLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    LocalTime time;
    time.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    time.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    time.day = static_cast<std::uint16_t>(local.tm_mday);
    time.hour = static_cast<std::uint16_t>(local.tm_hour);
    time.minute = static_cast<std::uint16_t>(local.tm_min);
    time.second = static_cast<std::uint16_t>(local.tm_sec);
    return time;
}

bool isDirectory(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isSameExistingFile(const std::string& first, const std::string& second)
{
    struct stat a {};
    struct stat b {};
    if (stat(first.c_str(), &a) != 0 || stat(second.c_str(), &b) != 0) {
        return false;
    }
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace morvatix
