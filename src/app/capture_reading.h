// The stages both programs share: loading the capture and reading its
// container, each printing its own failure message.
#pragma once

#include "capture/capture_image.h"
#include "capture/capture_settings.h"

#include <cstdio>
#include <string>

namespace morvatix {

// Loads `inputPath` and reads its container. On failure the message of the
// stage that failed is on `console` and the result is false.
bool readCapture(const std::string& inputPath, std::FILE* console, CaptureSettings& settings,
                 MonitorSlotArray& slotArray);

}  // namespace morvatix
