// A writer process killed at random moments never leaves a torn record or a broken store.
#include "StoreFixture.h"

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace vela;
using namespace vela::microedition::rms;
using testfiles::Bytes;

namespace {

constexpr int32_t kRecords = 4;

void putWord(Bytes& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

uint32_t wordAt(const Bytes& in, size_t at)
{
    return uint32_t(in[at]) << 24 | uint32_t(in[at + 1]) << 16 | uint32_t(in[at + 2]) << 8 | in[at + 3];
}

// Record `id` at `generation`: a header naming both and a body derived from them, so that
// any mix of two writes or any cut shows.
Bytes value(uint32_t id, uint32_t generation)
{
    size_t length = (generation * 7919u + id * 31u) % 6000u + 1;
    Bytes v;
    putWord(v, id);
    putWord(v, generation);
    Bytes body = testfiles::patternBytes(length, id * 1000003u + generation);
    v.insert(v.end(), body.begin(), body.end());
    return v;
}

// The generation the record holds, or -1 when it is not a whole value of this record.
int64_t generationOf(uint32_t id, const Bytes& record)
{
    if (record.size() < 8 || wordAt(record, 0) != id)
        return -1;
    uint32_t generation = wordAt(record, 4);
    return record == value(id, generation) ? int64_t(generation) : -1;
}

[[noreturn]] void writeForever(uint32_t round)
{
    DRecordStorePtr store = DRecordStore::openRecordStore(lang::DString::fromUtf8("kill"), false);
    for (uint32_t step = 1;; ++step)
        for (int32_t id = 1; id <= kRecords; ++id) {
            Bytes v = value(uint32_t(id), round * 100000u + step);
            lang::DbyteArrayPtr data = new lang::DbyteArray(int32_t(v.size()));
            std::copy(v.begin(), v.end(), data->data());
            store->setRecord(id, data, 0, data->length());
        }
}

class KillLoop : public StoreFixture { };

TEST_F(KillLoop, KilledWritersNeverTearARecord)
{
    {
        DRecordStorePtr store = open("kill");
        for (int32_t id = 1; id <= kRecords; ++id) {
            Bytes v = value(uint32_t(id), 0);
            store->addRecord(array(v), 0, int32_t(v.size()));
        }
    }
    std::mt19937 random(20261206);
    int64_t newest = 0;
    for (uint32_t round = 1; round <= 60; ++round) {
        pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            // A failure must end the child here, not unwind into the test runner's copy.
            try {
                writeForever(round);
            } catch (...) {
            }
            ::_exit(3);
        }
        ::usleep(useconds_t(random() % 25000));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer stopped by itself in round " << round;

        DRecordStorePtr store = open("kill", false);
        ASSERT_EQ(store->getNumRecords(), kRecords) << "round " << round;
        ASSERT_EQ(store->getNextRecordID(), kRecords + 1) << "round " << round;
        for (int32_t id = 1; id <= kRecords; ++id) {
            int64_t generation = generationOf(uint32_t(id), bytesOf(store->getRecord(id)));
            ASSERT_GE(generation, 0) << "record " << id << " torn in round " << round;
            newest = std::max(newest, generation);
        }
    }
    EXPECT_GT(newest, 0) << "the writer never got a record written";
}

} // namespace
