// Replays the saved fuzzer findings: each input once crashed or hung a decoder.
#include "FuzzTargets.h"
#include "io/TestFiles.h"

#include <dirent.h>
#include <gtest/gtest.h>

namespace {

TEST(CorpusReplay, SavedInputsFailCleanly)
{
    const std::pair<const char*, void (*)(const uint8_t*, size_t)> targets[] = {
        {"archive", fuzz::archiveInput}, {"data", fuzz::dataStreamInput}};
    for (const auto& [kind, target] : targets) {
        std::string folder = std::string(TINTROW_FUZZ_CORPUS) + "/" + kind;
        int replayed = 0;
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (dirent* e = ::readdir(dir)) {
                if (e->d_name[0] == '.')
                    continue;
                SCOPED_TRACE(e->d_name);
                testfiles::Bytes input = testfiles::readFile(folder + "/" + e->d_name);
                target(input.data(), input.size());
                ++replayed;
            }
            ::closedir(dir);
        }
        EXPECT_GT(replayed, 0) << "no saved inputs for " << kind;
    }
}

} // namespace
