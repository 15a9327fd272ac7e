// Benchmarks: archive member reads (in process and against 7-Zip) and record store writes.
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/HostPaths.h"
#include "io/TestFiles.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"

#include <benchmark/benchmark.h>

using namespace vela;
using testfiles::TempDir;

namespace {

constexpr int kMembers = 200;
constexpr size_t kArchiveBytes = 2 << 20;

std::string memberName(int i)
{
    return "res/" + std::to_string(i % 10) + "/m" + std::to_string(i) + ".bin";
}

// A 2 MB solid archive of 200 members, made once per run.
const std::string& solidArchive()
{
    static TempDir dir;
    static const std::string path = [] {
        for (int i = 0; i < kMembers; ++i) {
            // Like the game's resources: half already packed (pictures), half text and tables.
            testfiles::Bytes bytes = testfiles::patternBytes(kArchiveBytes / kMembers, uint32_t(i));
            if (i % 2 == 0)
                for (size_t k = 0; k < bytes.size(); ++k)
                    bytes[k] = uint8_t("level tile ball line score 0123456789\n"[(k * 7 + bytes[k] % 3) % 38]);
            testfiles::writeFile(dir / ("src/" + memberName(i)), bytes);
        }
        testfiles::make7z(dir / "bench.7z", dir / "src", {"-ms=on"});
        return dir / "bench.7z";
    }();
    return path;
}

void readMember(const lang::DStringPtr& name)
{
    io::D7zipInputStreamPtr in = new io::D7zipInputStream(name);
    lang::DbyteArrayPtr buffer = new lang::DbyteArray(4096);
    while (in->read(buffer, 0, 4096) > 0) { }
}

void BM_ArchiveReadEveryMember(benchmark::State& state)
{
    io::openArchiveAt(solidArchive());
    std::vector<lang::DStringPtr> names;
    for (int i = 0; i < kMembers; ++i)
        names.push_back(lang::DString::fromUtf8(memberName(i)));
    for (auto _ : state)
        for (const auto& name : names)
            readMember(name);
    state.SetItemsProcessed(state.iterations() * kMembers);
    io::closeArchive();
}
BENCHMARK(BM_ArchiveReadEveryMember)->Unit(benchmark::kMillisecond);

void BM_ArchiveReadOneMember(benchmark::State& state)
{
    io::openArchiveAt(solidArchive());
    lang::DStringPtr name = lang::DString::fromUtf8(memberName(int(state.range(0))));
    for (auto _ : state)
        readMember(name);
    io::closeArchive();
}
BENCHMARK(BM_ArchiveReadOneMember)->Arg(0)->Arg(kMembers - 1)->Unit(benchmark::kMicrosecond);

// Whole processes, for the ratio of the tool against 7-Zip doing the same extraction.
void BM_ProcessToolDatCat(benchmark::State& state)
{
    for (auto _ : state)
        testfiles::run({TINTROW_TOOL, "dat", "cat", solidArchive(), memberName(kMembers / 2)});
}
BENCHMARK(BM_ProcessToolDatCat)->Unit(benchmark::kMillisecond);

void BM_Process7zzExtract(benchmark::State& state)
{
    for (auto _ : state)
        testfiles::run({"7zz", "e", "-so", solidArchive(), memberName(kMembers / 2)});
}
BENCHMARK(BM_Process7zzExtract)->Unit(benchmark::kMillisecond);

// Record stores in a folder of their own; every write pays its fsyncs.
class StoreBench {
public:
    StoreBench()
    {
        ::setenv("TINTROW_HOME", home.path().c_str(), 1);
        io::setAppNameSource([] { return std::string("Bench"); });
        store = microedition::rms::DRecordStore::openRecordStore(lang::DString::fromUtf8("b"), true);
        record = new lang::DbyteArray(256);
    }

    TempDir home;
    microedition::rms::DRecordStorePtr store;
    lang::DbyteArrayPtr record;
};

void BM_RecordStoreAdd(benchmark::State& state)
{
    StoreBench b;
    for (auto _ : state)
        b.store->addRecord(b.record, 0, 256);
}
BENCHMARK(BM_RecordStoreAdd)->Unit(benchmark::kMicrosecond);

void BM_RecordStoreSet(benchmark::State& state)
{
    StoreBench b;
    int32_t id = b.store->addRecord(b.record, 0, 256);
    for (auto _ : state)
        b.store->setRecord(id, b.record, 0, 256);
}
BENCHMARK(BM_RecordStoreSet)->Unit(benchmark::kMicrosecond);

void BM_RecordStoreGet(benchmark::State& state)
{
    StoreBench b;
    int32_t id = b.store->addRecord(b.record, 0, 256);
    for (auto _ : state)
        benchmark::DoNotOptimize(b.store->getRecord(id));
}
BENCHMARK(BM_RecordStoreGet)->Unit(benchmark::kMicrosecond);

} // namespace
