// Writes a benchmark capture: make-bench-capture RECORDS OUTPUT
#include "bench_capture.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: make-bench-capture RECORDS OUTPUT\n", stderr);
        return 1;
    }
    try {
        const auto records = static_cast<std::size_t>(std::strtoull(argv[1], nullptr, 10));
        morvatix::testing::writeFile(argv[2], morvatix::testing::benchCaptureBytes(records));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
