// Other programs run from tests: the tools under test and the independent references.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace support {

struct RunResult {
    int status = -1; // the exit status, or -1 when the program did not start or did not exit
    std::string out, err;
};

// Runs a program without a shell, `input` on its standard input and `env` added to the
// environment. A program that cannot start fails with a message naming it.
RunResult run(const std::vector<std::string>& argv, const std::string& input = "",
              const std::vector<std::string>& env = {});

// Packs the contents of `folder` into `archive` with 7-Zip and the given switches; throws
// with 7-Zip's message when it fails.
void pack7z(const std::string& archive, const std::string& folder, std::vector<std::string> switches = {});
// The same for members given by name (paths with '/') and bytes.
void pack7z(const std::string& archive, const std::map<std::string, std::string>& members,
            std::vector<std::string> switches = {});

} // namespace support
