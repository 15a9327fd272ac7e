// Replays the saved fuzzer findings: each input once crashed or hung a decoder.
#include "FuzzTargets.h"
#include "io/TestFiles.h"

#include <dirent.h>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> corpusFiles(const std::string& kind)
{
    std::string folder = std::string(TINTROW_FUZZ_CORPUS) + "/" + kind;
    std::vector<std::string> files;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.')
                files.push_back(folder + "/" + e->d_name);
        ::closedir(dir);
    }
    return files;
}

void replay(const std::string& kind, void (*target)(const uint8_t*, size_t))
{
    std::vector<std::string> files = corpusFiles(kind);
    ASSERT_FALSE(files.empty()) << "no saved inputs for " << kind;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        testfiles::Bytes input = testfiles::readFile(file);
        target(input.data(), input.size());
    }
}

TEST(CorpusReplay, ArchiveInputsFailCleanly)
{
    replay("archive", fuzz::archiveInput);
}

TEST(CorpusReplay, DataStreamInputsFailCleanly)
{
    replay("data", fuzz::dataStreamInput);
}

} // namespace
