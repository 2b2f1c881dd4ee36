// A realistic capture of any size for the benchmarks: mostly classic CAN
// frames, some CAN FD frames with continuation slots, LIN frames, input
// records and a few overruns, in time order.
#pragma once

#include "capture_writer.h"

#include <cstddef>

namespace morvatix::testing {

Bytes benchCaptureSlots(std::size_t records);
Bytes benchCaptureBytes(std::size_t records);

}  // namespace morvatix::testing
