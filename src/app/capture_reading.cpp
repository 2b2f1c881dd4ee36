#include "app/capture_reading.h"

#include "app/capture_loading.h"
#include "capture/capture_container.h"

namespace morvatix {

bool readCapture(const std::string& inputPath, std::FILE* console, CaptureSettings& settings,
                 MonitorSlotArray& slotArray)
{
    CaptureImage image;
    switch (loadCaptureImage(inputPath, image)) {
    case LoadResult::ok:
        break;
    case LoadResult::cannotOpen:
        std::fprintf(console, "Cannot open file \"%s\"\n", inputPath.c_str());
        return false;
    case LoadResult::cannotRead:
        std::fprintf(console, "Cannot read file \"%s\"\n", inputPath.c_str());
        return false;
    case LoadResult::memoryError:
        std::fputs("Memory allocation error\n", console);
        return false;
    }
    switch (readCaptureContainer(image.bytes.get(), static_cast<std::size_t>(image.count), settings, slotArray)) {
    case ContainerResult::ok:
        return true;
    case ContainerResult::dataError:
        std::fprintf(console, "Data error \"%s\"\n", inputPath.c_str());
        return false;
    case ContainerResult::memoryError:
        std::fputs("Memory allocation error\n", console);
        return false;
    }
    return false;
}

}  // namespace morvatix
