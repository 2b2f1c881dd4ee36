#include "app/export_sequence.h"
#include "app/run_sequence.h"

#include <cstdio>
#include <new>

int main(int argc, char** argv)
{
    try {
        return morvatix::runExporter(argc, argv, stdout, stderr);
    } catch (const std::bad_alloc&) {
        std::fputs("Memory allocation error\n", stderr);
        return morvatix::kExitConversionFailed;
    }
}
