#include "app/run_sequence.h"

#include <cstdio>
#include <new>

int main(int argc, char** argv)
{
    try {
        return morvatix::runConverter(argc, argv, stdin, stderr);
    } catch (const std::bad_alloc&) {
        // Every large block is requested without exceptions; this catches the small ones.
        std::fputs("Memory allocation error\n", stderr);
        return morvatix::kExitConversionFailed;
    }
}
