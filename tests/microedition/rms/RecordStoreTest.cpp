// Record stores: numbering, offsets, every failure kind, persistence, hostile names, stray files.
#include "io/HostPaths.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"
#include "support/Files.h"
#include "support/TempDir.h"
#include "support/Thrown.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vela;
using namespace vela::microedition::rms;
using support::Bytes;
using support::bytesOf;
using support::toArray;

namespace {

// Stores of an application of the test's own, in the test's data folder.
class RecordStore : public ::testing::Test {
protected:
    void SetUp() override { vela::io::setAppNameSource([] { return std::string("RmsTest"); }); }
    void TearDown() override { vela::io::setAppNameSource(nullptr); }

    static std::string folderOf(const std::string& store) { return support::home() + "/Vandrel/RmsTest/" + store; }
    static vela::lang::DStringPtr name(const char* text) { return vela::lang::DString::fromUtf8(text); }
    static vela::microedition::rms::DRecordStorePtr open(const char* store, bool create = true)
    {
        return vela::microedition::rms::DRecordStore::openRecordStore(name(store), create);
    }
};

TEST_F(RecordStore, IdsFollowTheLargestFileAndRecordsAreFilesOfTheirBytes)
{
    DRecordStorePtr store = open("s");
    EXPECT_EQ(store->getNextRecordID(), 1);
    EXPECT_EQ(store->addRecord(toArray(Bytes{0, 1, 2, 0xFF}), 1, 2), 1);
    EXPECT_EQ(support::readFile(folderOf("s") + "/1"), (Bytes{1, 2}));
    support::writeFile(folderOf("s") + "/5", Bytes{5}); // as a host would keep record 5
    EXPECT_EQ(store->getNumRecords(), 2);
    EXPECT_EQ(store->addRecord(toArray(Bytes{1, 2, 3}), 1, 100), 6) << "the count is clipped";
    EXPECT_EQ(bytesOf(store->getRecord(6)), (Bytes{2, 3}));
    EXPECT_EQ(store->addRecord(nullptr, 0, 0), 7) << "null data adds nothing, tells the next id";
    int32_t empty = store->addRecord(toArray(Bytes{1, 2, 3}), 3, 5);
    EXPECT_EQ(store->getRecordSize(empty), 0);
    for (int i = 0; i < 5; ++i)
        store->setRecord(1, toArray(Bytes{uint8_t(i)}), 0, 1);
    EXPECT_EQ(bytesOf(store->getRecord(1)), Bytes{4});
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf("s")))
        files.push_back(entry.path().filename());
    EXPECT_EQ(files.size(), 4u) << "writes leave no temporary files behind";
    support::writeFile(folderOf("s") + "/2147483647", Bytes{1});
    EXPECT_THROWS_KIND(store->addRecord(toArray(Bytes{1}), 0, 1), lang::RecordStoreFullException);
}

TEST_F(RecordStore, BadOffsetsAndIdsThrowTheirKindAndWriteNothing)
{
    DRecordStorePtr store = open("s");
    EXPECT_THROWS_KIND(store->addRecord(toArray(Bytes{1}), 2, 1), lang::RecordStoreException);
    EXPECT_THROWS_KIND(store->addRecord(toArray(Bytes{1}), 0, -1), lang::RecordStoreException);
    for (int32_t id : {1, 0, -4})
        EXPECT_THROWS_KIND(store->getRecord(id), lang::RecordStoreException);
    int32_t id = store->addRecord(toArray(Bytes{1}), 0, 1);
    EXPECT_THROWS_KIND(store->setRecord(id, toArray(Bytes{1}), 2, 1), lang::RecordStoreException);
    for (int32_t missing : {7, 0, -1})
        EXPECT_THROWS_KIND(store->setRecord(missing, toArray(Bytes{1}), 0, 1), lang::InvalidRecordIDException);
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_FALSE(std::filesystem::exists(folderOf("s") + "/7"));
}

TEST_F(RecordStore, StoresOpenShareTheirRecordsAndDelete)
{
    EXPECT_THROWS_KIND(open("never", false), lang::RecordStoreNotFoundException);
    EXPECT_FALSE(std::filesystem::exists(folderOf("never")));
    EXPECT_THROWS_KIND(DRecordStore::deleteRecordStore(name("never")), lang::RecordStoreNotFoundException);
    EXPECT_THROWS_KIND(DRecordStore::openRecordStore(nullptr, true), lang::IllegalArgumentException);
    DRecordStorePtr first = open("cfg"), second = open("cfg", false);
    int32_t id = first->addRecord(toArray(Bytes{4, 2}), 0, 2);
    EXPECT_EQ(bytesOf(second->getRecord(id)), (Bytes{4, 2}));
    first = second = nullptr;
    EXPECT_EQ(bytesOf(open("cfg", false)->getRecord(id)), (Bytes{4, 2}));
    DRecordStore::deleteRecordStore(name("cfg"));
    EXPECT_EQ(open("cfg")->getNumRecords(), 0);
    open("keys\\a")->addRecord(toArray(Bytes{1}), 0, 1); // a backslash nests folders
    EXPECT_TRUE(std::filesystem::exists(folderOf("keys/a") + "/1"));
    vela::io::setAppNameSource(nullptr);
    EXPECT_THROWS_KIND(open("s"), lang::RecordStoreException);
}

TEST_F(RecordStore, NamesThatWouldLeaveTheDataFolderAreRefusedAndStrayFilesIgnored)
{
    for (const char* bad : {"", "..", "../escape", "a\\..\\..\\b", ".", "a\\\\b", ".tmp-x"})
        EXPECT_THROWS_KIND(open(bad), lang::RecordStoreException) << bad;
    EXPECT_FALSE(std::filesystem::exists(support::home() + "/Vandrel/escape"));
    DRecordStorePtr store = open("s");
    store->addRecord(toArray(Bytes{1}), 0, 1);
    for (const char* stray : {".tmp-9.123.0", "abc", "007", "0", "-3", "2147483648", "12x"})
        support::writeFile(folderOf("s") + "/" + stray, Bytes{1});
    std::filesystem::create_directories(folderOf("s") + "/40");
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_EQ(store->addRecord(toArray(Bytes{2}), 0, 1), 2);
}

} // namespace
