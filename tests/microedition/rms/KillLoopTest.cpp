// A writer process killed at random moments never leaves a torn record or a broken store.
#include "StoreFixture.h"

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace vela;
using namespace vela::microedition::rms;
using support::Bytes;

namespace {

constexpr int32_t RECORDS = 4;

// Record `id` at `generation`: a header naming both and a body derived from them, so that
// any mix of two writes or any cut shows.
Bytes value(uint32_t id, uint32_t generation)
{
    Bytes v(8);
    for (int i = 0; i < 4; ++i) {
        v[i] = uint8_t(id >> (24 - 8 * i));
        v[4 + i] = uint8_t(generation >> (24 - 8 * i));
    }
    size_t length = (generation * 7919u + id * 31u) % 6000u + 1;
    Bytes body = support::patternBytes(length, id * 1000003u + generation);
    v.insert(v.end(), body.begin(), body.end());
    return v;
}

// The generation the record holds, or -1 when it is not a whole value of this record.
int64_t generationOf(uint32_t id, const Bytes& record)
{
    if (record.size() < 8)
        return -1;
    uint32_t generation = 0;
    for (int i = 4; i < 8; ++i)
        generation = generation << 8 | record[i];
    return record == value(id, generation) ? int64_t(generation) : -1;
}

[[noreturn]] void writeForever(uint32_t round)
{
    DRecordStorePtr store = DRecordStore::openRecordStore(lang::DString::fromUtf8("kill"), false);
    for (uint32_t step = 1;; ++step)
        for (int32_t id = 1; id <= RECORDS; ++id) {
            auto data = support::toArray(value(uint32_t(id), round * 100000u + step));
            store->setRecord(id, data, 0, data->length());
        }
}

class KillLoop : public StoreFixture { };

TEST_F(KillLoop, KilledWritersNeverTearARecord)
{
    {
        DRecordStorePtr store = open("kill");
        for (int32_t id = 1; id <= RECORDS; ++id) {
            lang::DbyteArrayPtr data = support::toArray(value(uint32_t(id), 0));
            store->addRecord(data, 0, data->length());
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
        ASSERT_EQ(store->getNumRecords(), RECORDS) << "round " << round;
        ASSERT_EQ(store->getNextRecordID(), RECORDS + 1) << "round " << round;
        for (int32_t id = 1; id <= RECORDS; ++id) {
            Bytes record = support::bytesOf(store->getRecord(id));
            int64_t generation = generationOf(uint32_t(id), record);
            ASSERT_GE(generation, 0) << "record " << id << " torn in round " << round;
            newest = std::max(newest, generation);
        }
    }
    EXPECT_GT(newest, 0) << "the writer never got a record written";
}

} // namespace
