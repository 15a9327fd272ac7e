// Test support for the rules simulator: run a script in process and pick values out of dumps.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "SimRun.h"

namespace tintrow::testing {

struct SimOutput {
    int status;
    std::vector<std::string> dumps;
    int errors = 0; // lines starting with "error:"
    std::string err;
};

inline SimOutput simulate(std::vector<std::string> args, const std::string& script)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    std::istringstream in(script);
    std::ostringstream out, err;
    SimOutput result;
    result.status = runSimulation(int(argv.size()), argv.data(), in, out, err);
    std::istringstream lines(out.str()), errLines(err.str());
    for (std::string line; std::getline(lines, line);)
        result.dumps.push_back(line);
    for (std::string line; std::getline(errLines, line);)
        result.errors += line.rfind("error:", 0) == 0;
    result.err = err.str();
    return result;
}

// The text of one value of a dump (dumps hold only numbers, booleans and arrays).
inline std::string field(const std::string& dump, const std::string& key)
{
    size_t start = dump.find("\"" + key + "\":");
    if (start == std::string::npos)
        return "";
    start += key.size() + 3;
    size_t end = start;
    for (int depth = 0; end < dump.size() && (depth > 0 || (dump[end] != ',' && dump[end] != '}'));
         ++end)
        depth += dump[end] == '[' ? 1 : dump[end] == ']' ? -1 : 0;
    return dump.substr(start, end - start);
}

// The texts of the items of an array value.
inline std::vector<std::string> items(const std::string& array)
{
    std::vector<std::string> out;
    std::string item;
    int depth = 0;
    for (size_t i = 1; i + 1 < array.size(); ++i) {
        char c = array[i];
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        if (c == ',' && depth == 0) {
            out.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty())
        out.push_back(item);
    return out;
}

} // namespace tintrow::testing
