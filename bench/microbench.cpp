// Microbenchmarks of the conversion's hot pieces.
#include "bench_capture.h"
#include "capture/capture_container.h"
#include "capture/settings_decoders.h"
#include "report/record_lines.h"
#include "report/report_body.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace morvatix::testing {
namespace {

// Slots of one record kind, formatted one after another.
Bytes slotsOfKind(unsigned kind, std::size_t count)
{
    const Bytes all = benchCaptureSlots(count * 40);
    Bytes out;
    for (std::size_t offset = 0; offset + 32 <= all.size() && out.size() < count * 32; offset += 32) {
        const MonitorRecord record{all.data() + offset};
        if (isHeadSlot(record.slot) && recordKind(record) == kind) {
            out.insert(out.end(), all.begin() + static_cast<std::ptrdiff_t>(offset),
                       all.begin() + static_cast<std::ptrdiff_t>(offset + 32));
        }
    }
    return out;
}

void formatKind(benchmark::State& state, unsigned kind)
{
    const Bytes slots = slotsOfKind(kind, 1024);
    const std::size_t count = slots.size() / 32;
    CaptureSettings settings = sampleSettings();
    setLinLengthCheck(settings, 1);
    const LinLengthTable table{settings.linPortSettings + 16};
    LineBuffer line;
    std::size_t index = 0;
    for (auto _ : state) {
        formatRecord(MonitorRecord{slots.data() + 32 * index}, table, line);
        benchmark::DoNotOptimize(line.text);
        index = index + 1 == count ? 0 : index + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_CanFrameLine(benchmark::State& state) { formatKind(state, kCanFrame); }
void BM_LinFrameLine(benchmark::State& state) { formatKind(state, kLinFrame); }
void BM_InputRecordLine(benchmark::State& state) { formatKind(state, kInputRecord); }
BENCHMARK(BM_CanFrameLine);
BENCHMARK(BM_LinFrameLine);
BENCHMARK(BM_InputRecordLine);

void BM_TimeStamp(benchmark::State& state)
{
    LineBuffer line;
    std::uint32_t time = 472'251'230;
    for (auto _ : state) {
        line.length = 2;
        formatTimeStamp(time++, line);
        benchmark::DoNotOptimize(line.text);
    }
}
BENCHMARK(BM_TimeStamp);

void BM_InputColumns(benchmark::State& state)
{
    const Bytes slots = slotsOfKind(kInputRecord, 256);
    const std::size_t count = slots.size() / 32;
    LineBuffer line;
    std::size_t index = 0;
    for (auto _ : state) {
        line.length = 68;
        formatInputColumns(MonitorRecord{slots.data() + 32 * index}, line);
        benchmark::DoNotOptimize(line.text);
        index = index + 1 == count ? 0 : index + 1;
    }
}
BENCHMARK(BM_InputColumns);

void BM_SettingsDecoders(benchmark::State& state)
{
    const Bytes body = settingsBodyBytes(fullSettingsBody(sampleSettings()));
    const std::uint32_t groupALength = readU32(body.data() + 4);
    CaptureSettings settings;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeGroupA(body.data() + 4, 576, settings));
        benchmark::DoNotOptimize(decodeGroupB(body.data() + 4 + groupALength, 576 - groupALength, settings));
    }
}
BENCHMARK(BM_SettingsDecoders);

// The whole body of a 100,000-record report into memory.
void BM_ReportBody(benchmark::State& state)
{
    const Bytes image = benchCaptureBytes(100'000);
    CaptureSettings settings;
    MonitorSlotArray slotArray;
    readCaptureContainer(image.data(), image.size(), settings, slotArray);
    std::string text;
    text.reserve(12'000'000);
    LineBuffer line;
    for (auto _ : state) {
        text.clear();
        ReportFile report = memoryReportFile(text);
        writeReportBody(report, settings, slotArray, LocalTime{}, line);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_ReportBody)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvatix::testing

BENCHMARK_MAIN();
