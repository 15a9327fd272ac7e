// Test fixture: record stores of an application of the test's own, in the test's data folder.
#pragma once

#include "io/HostPaths.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"
#include "support/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

class StoreFixture : public ::testing::Test {
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
