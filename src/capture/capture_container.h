// Walks the chunks of a capture image: checks the magic, decodes every DINF
// chunk into the settings and copies the slots of the one MOND chunk taken.
#pragma once

#include "capture/capture_image.h"
#include "capture/capture_settings.h"

#include <cstddef>
#include <cstdint>

namespace morvatix {

enum class ContainerResult {
    ok,
    dataError,         // the capture is malformed
    memoryError,       // the slot block could not be obtained
};

ContainerResult readCaptureContainer(const std::uint8_t* image, std::size_t count, CaptureSettings& settings,
                                     MonitorSlotArray& slotArray);

}  // namespace morvatix
