// Writes the example capture: make-sample-capture examples/sample.DT
#include "sample_capture.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make-sample-capture OUTPUT\n", stderr);
        return 1;
    }
    try {
        morvatix::testing::writeFile(argv[1], morvatix::testing::sampleCaptureBytes());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
