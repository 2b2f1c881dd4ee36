#include "app/capture_loading.h"

#include "platform/platform.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <new>

namespace morvatix {

LoadResult loadCaptureImage(const std::string& inputPath, CaptureImage& image)
{
    image = CaptureImage{};
    // A folder opens for reading on some systems but is never a capture.
    if (isDirectory(inputPath)) {
        return LoadResult::cannotOpen;
    }
    // A stream's positions are 64-bit on every platform, so a huge file is measured, not wrapped.
    std::ifstream file(inputPath, std::ios::binary);
    if (!file.is_open()) {
        return LoadResult::cannotOpen;
    }
    const std::streamoff size = file.seekg(0, std::ios::end) ? static_cast<std::streamoff>(file.tellg()) : -1;
    // The image count is signed 32-bit: a larger file cannot be held.
    if (size < 0 || size > std::numeric_limits<std::int32_t>::max()) {
        return LoadResult::cannotRead;
    }
    if (size == 0) {
        return LoadResult::ok;
    }
    if (!file.seekg(0, std::ios::beg)) {
        return LoadResult::cannotRead;
    }
    const auto byteCount = static_cast<std::size_t>(size);
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[byteCount]);
    if (!bytes) {
        return LoadResult::memoryError;
    }
    // A short read would leave part of the image undefined, so it is a failure too.
    file.read(reinterpret_cast<char*>(bytes.get()), static_cast<std::streamsize>(byteCount));
    if (static_cast<std::size_t>(file.gcount()) != byteCount) {
        return LoadResult::cannotRead;
    }
    image.bytes = std::move(bytes);
    image.count = static_cast<std::int32_t>(size);
    return LoadResult::ok;
}

}  // namespace morvatix
