// Reads the whole capture file into memory.
#pragma once

#include "capture/capture_image.h"

#include <string>

namespace morvatix {

enum class LoadResult {
    ok,
    cannotOpen,
    cannotRead,
    memoryError,
};

LoadResult loadCaptureImage(const std::string& inputPath, CaptureImage& image);

}  // namespace morvatix
