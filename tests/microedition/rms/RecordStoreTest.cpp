// Record stores: numbering, offsets, every failure kind, persistence and stray files.
#include "StoreFixture.h"
#include "lang/ThrownKind.h"

using namespace vela;
using namespace vela::microedition::rms;
using testfiles::array;
using testfiles::Bytes;
using testfiles::bytesOf;

namespace {

class RecordStore : public StoreFixture { };

TEST_F(RecordStore, IdsStartAtOneAndFollowTheLargestUpToTheLast)
{
    DRecordStorePtr store = open("s");
    EXPECT_EQ(store->getNextRecordID(), 1);
    EXPECT_EQ(store->addRecord(array({1}), 0, 1), 1);
    EXPECT_EQ(store->addRecord(array({2}), 0, 1), 2);
    testfiles::writeFile(folderOf("s") + "/5", Bytes{5}); // as a host would keep record 5
    EXPECT_EQ(store->getNumRecords(), 3);
    EXPECT_EQ(store->getNextRecordID(), 6);
    EXPECT_EQ(store->addRecord(array({6}), 0, 1), 6);
    EXPECT_EQ(store->addRecord(nullptr, 0, 0), 7); // null data adds nothing, tells the next id
    EXPECT_EQ(store->getNumRecords(), 4);
    testfiles::writeFile(folderOf("s") + "/2147483647", Bytes{1});
    EXPECT_THROWS_KIND(store->addRecord(array({1}), 0, 1), lang::RecordStoreFullException);
    EXPECT_EQ(store->getNumRecords(), 5);
}

TEST_F(RecordStore, RecordsAreFilesOfTheirBytesCountsAreClippedAndOffsetAtTheEndStoresNothing)
{
    DRecordStorePtr store = open("s");
    store->addRecord(array({0, 1, 2, 0xFF}), 1, 2);
    EXPECT_EQ(testfiles::readFile(folderOf("s") + "/1"), (Bytes{1, 2}));
    int32_t clipped = store->addRecord(array({1, 2, 3}), 1, 100);
    int32_t empty = store->addRecord(array({1, 2, 3}), 3, 5);
    EXPECT_EQ(bytesOf(store->getRecord(clipped)), (Bytes{2, 3}));
    EXPECT_EQ(store->getRecordSize(empty), 0);
    EXPECT_EQ(store->getRecord(empty)->length(), 0);
    for (int i = 0; i < 5; ++i)
        store->setRecord(1, array({uint8_t(i)}), 0, 1);
    EXPECT_EQ(bytesOf(store->getRecord(1)), Bytes{4});
    // Writes leave no temporary files behind.
    EXPECT_EQ(testfiles::run({"ls", "-A", folderOf("s")}).out, "1\n2\n3\n");
}

TEST_F(RecordStore, BadOffsetsAndMissingIdsThrow)
{
    DRecordStorePtr store = open("s");
    EXPECT_THROWS_KIND(store->addRecord(array({1}), 2, 1), lang::RecordStoreException);
    EXPECT_THROWS_KIND(store->addRecord(array({1}), -1, 1), lang::RecordStoreException);
    EXPECT_THROWS_KIND(store->addRecord(array({1}), 0, -1), lang::RecordStoreException);
    for (int32_t id : {1, 0, -4}) {
        EXPECT_THROWS_KIND(store->getRecord(id), lang::RecordStoreException);
        EXPECT_THROWS_KIND(store->getRecordSize(id), lang::RecordStoreException);
    }
    int32_t id = store->addRecord(array({1}), 0, 1);
    EXPECT_THROWS_KIND(store->setRecord(id, array({1}), 2, 1), lang::RecordStoreException);
    for (int32_t missing : {7, 0, -1})
        EXPECT_THROWS_KIND(store->setRecord(missing, array({1}), 0, 1),
                           lang::InvalidRecordIDException);
    EXPECT_FALSE(testfiles::exists(folderOf("s") + "/7"));
    EXPECT_EQ(store->getNumRecords(), 1);
}

TEST_F(RecordStore, OpeningAndDeletingStores)
{
    EXPECT_THROWS_KIND(open("never", false), lang::RecordStoreNotFoundException);
    EXPECT_FALSE(testfiles::exists(folderOf("never")));
    EXPECT_THROWS_KIND(DRecordStore::deleteRecordStore(name("never")),
                       lang::RecordStoreNotFoundException);
    EXPECT_THROWS_KIND(DRecordStore::openRecordStore(nullptr, true),
                       lang::IllegalArgumentException);
    open("gone")->addRecord(array({1}), 0, 1);
    DRecordStore::deleteRecordStore(name("gone"));
    EXPECT_THROWS_KIND(open("gone", false), lang::RecordStoreNotFoundException);
    EXPECT_EQ(open("gone")->getNumRecords(), 0);
    open("keys\\a")->addRecord(array({1}), 0, 1); // a backslash nests folders
    EXPECT_TRUE(testfiles::exists(folderOf("keys/a") + "/1"));
    io::setAppNameSource(nullptr);
    EXPECT_THROWS_KIND(open("s"), lang::RecordStoreException);
}

TEST_F(RecordStore, RecordsPersistAndAreSharedBetweenOpenStores)
{
    DRecordStorePtr first = open("cfg"), second = open("cfg", false);
    int32_t id = first->addRecord(array({4, 2}), 0, 2);
    EXPECT_EQ(bytesOf(second->getRecord(id)), (Bytes{4, 2}));
    first = second = nullptr;
    EXPECT_EQ(bytesOf(open("cfg", false)->getRecord(id)), (Bytes{4, 2}));
}

TEST_F(RecordStore, NamesThatWouldLeaveTheDataFolderAreRefused)
{
    for (const char* bad : {"", "..", "../escape", "a\\..\\..\\b", ".", "a\\\\b", ".tmp-x"})
        EXPECT_THROWS_KIND(open(bad), lang::RecordStoreException) << bad;
    EXPECT_FALSE(testfiles::exists(home / "Vandrel/escape"));
}

TEST_F(RecordStore, StrayFilesAreNeitherCountedNorNumbered)
{
    DRecordStorePtr store = open("s");
    store->addRecord(array({1}), 0, 1);
    for (const char* stray : {".tmp-9.123.0", "abc", "007", "0", "-3", "2147483648", "12x"})
        testfiles::writeFile(folderOf("s") + "/" + stray, Bytes{1});
    testfiles::makeDirs(folderOf("s") + "/40");
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_EQ(store->getNextRecordID(), 2);
    EXPECT_EQ(store->addRecord(array({2}), 0, 1), 2);
}

} // namespace
