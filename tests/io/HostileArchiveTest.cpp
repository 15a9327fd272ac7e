// Damaged, forged and unsupported archives fail with IOException, never a crash or a huge allocation.
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/SevenZipArchive.h"
#include "lang/DString.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "support/Thrown.h"

#include "7zCrc.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::io;
using support::Bytes;
using support::NOTHING_THROWN;

namespace {

const Bytes PAYLOAD = support::patternBytes(3000, 9);
constexpr uint32_t IO_EXCEPTION = lang::IOException;

class HostileArchive : public ::testing::Test {
protected:
    Bytes pack(const std::vector<std::string>& switches, const Bytes& payload = PAYLOAD)
    {
        support::writeFile(dir / "src/p.bin", payload);
        std::remove((dir / "good.7z").c_str());
        support::pack7z(dir / "good.7z", dir / "src", switches);
        return support::readFile(dir / "good.7z");
    }
    // Opens the archive and reads "p.bin" into `read`; the thrown kind, or NOTHING_THROWN.
    uint32_t openAndRead(const std::string& path)
    {
        read.clear();
        uint32_t kind = support::thrownKind([&] {
            openArchiveAt(path);
            D7zipInputStreamPtr in = new D7zipInputStream(lang::DString::fromUtf8("p.bin"));
            for (int32_t c; (c = in->read()) >= 0;)
                read.push_back(uint8_t(c));
        });
        closeArchive();
        return kind;
    }
    uint32_t readDamaged(const Bytes& archive)
    {
        support::writeFile(dir / "bad.7z", archive);
        return openAndRead(dir / "bad.7z");
    }

    support::TempDir dir;
    Bytes read;
};

TEST_F(HostileArchive, EveryBitFlipReadsExactlyOrThrowsIOException)
{
    const Bytes payload(PAYLOAD.begin(), PAYLOAD.begin() + 200);
    for (const auto& switches : {std::vector<std::string>{"-mhc=off", "-m0=Copy"},
                                 std::vector<std::string>{"-m0=LZMA"}}) {
        Bytes good = pack(switches, payload);
        for (size_t i = 0; i < good.size(); ++i) {
            Bytes bad = good;
            bad[i] ^= uint8_t(1u << (i % 8));
            uint32_t kind = readDamaged(bad);
            if (kind == NOTHING_THROWN)
                EXPECT_EQ(read, payload) << "byte " << i;
            else
                EXPECT_EQ(kind, IO_EXCEPTION) << "byte " << i;
        }
    }
}

TEST_F(HostileArchive, MethodsTheDecoderLacksThrowIOException)
{
    for (const auto& switches : {std::vector<std::string>{"-m0=Deflate"},
                                 std::vector<std::string>{"-m0=BZip2"},
                                 std::vector<std::string>{"-pSECRET"},
                                 std::vector<std::string>{"-pSECRET", "-mhe=on"}})
        EXPECT_EQ(readDamaged(pack(switches)), IO_EXCEPTION) << switches[0];
}

// Rewrites the folder's declared unpack size of a stored member (a plain header holds it
// after the property id 0x0C) and fixes both header CRCs, so only the size is a lie.
Bytes withDeclaredSize(const Bytes& archive, uint16_t realSize, uint64_t declared)
{
    const size_t headerStart = 32 + size_t(archive[12]) + (size_t(archive[13]) << 8);
    Bytes header(archive.begin() + long(headerStart), archive.end());
    const Bytes oldNumber = {0x0C, uint8_t(0x80 | (realSize >> 8)), uint8_t(realSize)};
    auto at = std::search(header.begin(), header.end(), oldNumber.begin(), oldNumber.end());
    if (at == header.end())
        return {};
    Bytes newNumber = {0x0C, 0xFF};
    for (int i = 0; i < 8; ++i)
        newNumber.push_back(uint8_t(declared >> (8 * i)));
    at = header.erase(at, at + 3);
    header.insert(at, newNumber.begin(), newNumber.end());
    Bytes forged(archive.begin(), archive.begin() + long(headerStart));
    forged.insert(forged.end(), header.begin(), header.end());
    CrcGenerateTable();
    auto putLe = [&](size_t pos, uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            forged[pos + size_t(i)] = uint8_t(v >> (8 * i));
    };
    putLe(20, header.size(), 8);
    putLe(28, CrcCalc(header.data(), header.size()), 4);
    putLe(8, CrcCalc(forged.data() + 12, 20), 4);
    return forged;
}

TEST_F(HostileArchive, DeclaredSizeInTheGigabytesIsRefusedWithoutAllocating)
{
    Bytes good = pack({"-m0=Copy", "-mhc=off"}, Bytes(PAYLOAD.begin(), PAYLOAD.begin() + 1000));
    Bytes forged = withDeclaredSize(good, 1000, uint64_t(5) << 30);
    ASSERT_FALSE(forged.empty()) << "the declared size was not found in the header";
    EXPECT_EQ(readDamaged(forged), IO_EXCEPTION);
    // The forgery is otherwise sound: the real size written the same way reads back.
    EXPECT_EQ(readDamaged(withDeclaredSize(good, 1000, 1000)), NOTHING_THROWN);
    EXPECT_EQ(read.size(), 1000u);
}

TEST_F(HostileArchive, MemberBeyondTheSizeLimitIsRefused)
{
    // Zeros pack to a few kilobytes, so the archive is tiny while its member is not.
    const std::string zeros = dir / "src/p.bin";
    support::writeFile(zeros, Bytes{});
    ASSERT_EQ(::truncate(zeros.c_str(), off_t(MAX_UNPACKED_SIZE) + 1), 0);
    support::pack7z(dir / "big.7z", dir / "src", {"-mx=1"});
    std::remove(zeros.c_str());
    EXPECT_EQ(openAndRead(dir / "big.7z"), IO_EXCEPTION);
    EXPECT_TRUE(read.empty());
}

} // namespace
