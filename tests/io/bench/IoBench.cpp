// Benchmarks: archive member reads (in process and against 7-Zip) and record store writes.
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/HostPaths.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

using namespace vela;

namespace {

constexpr int MEMBERS = 200;
constexpr size_t ARCHIVE_BYTES = 2 << 20;

std::string memberName(int i)
{
    return "res/" + std::to_string(i % 10) + "/m" + std::to_string(i) + ".bin";
}

// A 2 MB solid archive of 200 members, made once per run, opened for in-process reads.
const std::string& solidArchive()
{
    static support::TempDir dir;
    static const std::string path = [] {
        std::map<std::string, std::string> members;
        for (int i = 0; i < MEMBERS; ++i) {
            // Like the game's resources: half already packed (pictures), half text and tables.
            support::Bytes bytes = support::patternBytes(ARCHIVE_BYTES / MEMBERS, uint32_t(i));
            if (i % 2 == 0)
                for (size_t k = 0; k < bytes.size(); ++k)
                    bytes[k] = uint8_t("level tile ball line score 0123456789\n"[(k * 7 + bytes[k] % 3) % 38]);
            members[memberName(i)] = std::string(bytes.begin(), bytes.end());
        }
        support::pack7z(dir / "bench.7z", members, {"-ms=on"});
        io::openArchiveAt(dir / "bench.7z");
        return dir / "bench.7z";
    }();
    return path;
}

// Every member when the argument is -1, else the one member of that number.
void BM_ArchiveRead(benchmark::State& state)
{
    solidArchive();
    std::vector<lang::DStringPtr> names;
    for (int i = 0; i < MEMBERS; ++i)
        if (state.range(0) < 0 || state.range(0) == i)
            names.push_back(lang::DString::fromUtf8(memberName(i)));
    lang::DbyteArrayPtr buffer = new lang::DbyteArray(4096);
    for (auto _ : state)
        for (const auto& name : names) {
            io::D7zipInputStreamPtr in = new io::D7zipInputStream(name);
            while (in->read(buffer, 0, 4096) > 0) { }
        }
    state.SetItemsProcessed(state.iterations() * int64_t(names.size()));
}
BENCHMARK(BM_ArchiveRead)->Arg(-1)->Arg(0)->Arg(MEMBERS - 1)->Unit(benchmark::kMicrosecond);

// Whole processes, for the ratio of the tool against 7-Zip doing the same extraction.
void BM_ProcessExtract(benchmark::State& state)
{
    const bool reference = state.range(0);
    const std::vector<std::string> argv = reference
        ? std::vector<std::string>{"7zz", "e", "-so", solidArchive(), memberName(MEMBERS / 2)}
        : std::vector<std::string>{TINTROW_TOOL, "dat", "cat", solidArchive(), memberName(MEMBERS / 2)};
    state.SetLabel(reference ? "7zz e -so" : "tintrow-tool dat cat");
    for (auto _ : state)
        if (support::run(argv).status != 0)
            return state.SkipWithError("the extraction failed");
}
BENCHMARK(BM_ProcessExtract)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Record store add, set or get of 256 bytes in a fresh folder; every write pays its fsyncs.
void BM_RecordStore(benchmark::State& state)
{
    support::TempDir home;
    ::setenv("TINTROW_HOME", home.path().c_str(), 1);
    io::setAppNameSource([] { return std::string("Bench"); });
    auto store = microedition::rms::DRecordStore::openRecordStore(lang::DString::fromUtf8("b"), true);
    lang::DbyteArrayPtr record = new lang::DbyteArray(256);
    int32_t id = store->addRecord(record, 0, 256);
    const char* labels[] = {"add", "set", "get"};
    state.SetLabel(labels[state.range(0)]);
    for (auto _ : state) {
        if (state.range(0) == 0)
            store->addRecord(record, 0, 256);
        else if (state.range(0) == 1)
            store->setRecord(id, record, 0, 256);
        else
            benchmark::DoNotOptimize(store->getRecord(id));
    }
}
BENCHMARK(BM_RecordStore)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
