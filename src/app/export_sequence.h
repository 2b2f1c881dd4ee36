// One run of the exporter: a capture to a candump log, a Vector ASC file or pcapng.
#pragma once

#include <cstdio>

namespace morvatix {

int runExporter(int argumentCount, const char* const* arguments, std::FILE* out, std::FILE* console);

}  // namespace morvatix
