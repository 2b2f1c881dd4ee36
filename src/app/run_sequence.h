// One run of the converter, from the banner to the exit status.
#pragma once

#include <cstdio>

namespace morvatix {

constexpr int kExitSuccess = 0;
constexpr int kExitInputError = 1;
constexpr int kExitConversionFailed = 2;

// `input` answers the prompt when no name is given; every message goes to `console`.
int runConverter(int argumentCount, const char* const* arguments, std::FILE* input, std::FILE* console);

}  // namespace morvatix
