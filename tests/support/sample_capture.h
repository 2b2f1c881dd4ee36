// The small capture shipped in examples/: every record kind and line form.
#pragma once

#include "capture_writer.h"

namespace morvatix::testing {

Bytes sampleCaptureBytes();

}  // namespace morvatix::testing
