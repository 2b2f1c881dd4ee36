#include "app/capture_loading.h"

#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <new>

namespace morvatix {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

LoadResult loadCaptureImage(const std::string& inputPath, CaptureImage& image)
{
    image = CaptureImage{};
    // A folder opens for reading on some systems but is never a capture.
    if (isDirectory(inputPath)) {
        return LoadResult::cannotOpen;
    }
    InputFile file(std::fopen(inputPath.c_str(), "rb"));
    if (!file) {
        return LoadResult::cannotOpen;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return LoadResult::cannotRead;
    }
    const long size = std::ftell(file.get());
    // The image count is signed 32-bit: a larger file cannot be held.
    if (size < 0 || static_cast<unsigned long>(size) > std::numeric_limits<std::int32_t>::max()) {
        return LoadResult::cannotRead;
    }
    if (size == 0) {
        return LoadResult::ok;
    }
    if (std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return LoadResult::cannotRead;
    }
    const auto byteCount = static_cast<std::size_t>(size);
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[byteCount]);
    if (!bytes) {
        return LoadResult::memoryError;
    }
    // A short read would leave part of the image undefined, so it is a failure too.
    if (std::fread(bytes.get(), 1, byteCount, file.get()) != byteCount) {
        return LoadResult::cannotRead;
    }
    image.bytes = std::move(bytes);
    image.count = static_cast<std::int32_t>(size);
    return LoadResult::ok;
}

}  // namespace morvatix
