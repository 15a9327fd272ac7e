// Test fixture: record stores kept in a temporary data folder of their own.
#pragma once

#include "io/HostPaths.h"
#include "io/TestFiles.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"

#include <gtest/gtest.h>

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("TINTROW_HOME", home.path().c_str(), 1);
        vela::io::setAppNameSource([] { return std::string("RmsTest"); });
    }
    void TearDown() override { vela::io::setAppNameSource(nullptr); }

    std::string folderOf(const std::string& store) const
    {
        return home / ("Vandrel/RmsTest/" + store);
    }
    static vela::lang::DStringPtr name(const char* text)
    {
        return vela::lang::DString::fromUtf8(text);
    }
    static vela::microedition::rms::DRecordStorePtr open(const char* store, bool create = true)
    {
        return vela::microedition::rms::DRecordStore::openRecordStore(name(store), create);
    }

    testfiles::TempDir home;
};
