// Replays every fuzz target's corpus: the seeds from the game's data and each saved finding.
#include "FuzzTargets.h"
#include "support/Files.h"

#include <dirent.h>
#include <gtest/gtest.h>

namespace {

class CorpusReplay : public ::testing::TestWithParam<fuzz::NamedTarget> { };

TEST_P(CorpusReplay, EveryInputIsReadOrRefusedCleanly)
{
    const std::string folder = std::string(TINTROW_FUZZ_CORPUS) + "/" + GetParam().name;
    int replayed = 0;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir)) {
            if (e->d_name[0] == '.')
                continue;
            SCOPED_TRACE(e->d_name);
            support::Bytes input = support::readFile(folder + "/" + e->d_name);
            GetParam().run(input.data(), input.size());
            ++replayed;
        }
        ::closedir(dir);
    }
    EXPECT_GT(replayed, 0) << "no corpus in " << folder;
}

std::vector<fuzz::NamedTarget> allTargets()
{
    std::vector<fuzz::NamedTarget> targets;
    for (const fuzz::NamedTarget* t = fuzz::TARGETS; t->name; ++t)
        targets.push_back(*t);
    return targets;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay, ::testing::ValuesIn(allTargets()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
