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
    static vela::lang::DbyteArrayPtr array(const testfiles::Bytes& bytes)
    {
        vela::lang::DbyteArrayPtr a = new vela::lang::DbyteArray(int32_t(bytes.size()));
        for (size_t i = 0; i < bytes.size(); ++i)
            (*a)[int32_t(i)] = int8_t(bytes[i]);
        return a;
    }
    static testfiles::Bytes bytesOf(const vela::lang::DbyteArrayPtr& a)
    {
        return testfiles::Bytes(a->data(), a->data() + a->length());
    }

    testfiles::TempDir home;
};
