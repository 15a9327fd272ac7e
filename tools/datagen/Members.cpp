// Member bookkeeping, the name checks of the archive index and the staging folder.
#include "Members.h"

#include "io/DArchive.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unordered_map>

namespace datagen {

void Members::add(const std::string& name, Bytes bytes)
{
    if (!index.emplace(name, std::move(bytes)).second)
        throw std::runtime_error("member made twice: " + name);
    order.push_back(name);
}

const Bytes& Members::get(const std::string& name) const
{
    auto it = index.find(name);
    if (it == index.end())
        throw std::runtime_error("no member " + name);
    return it->second;
}

std::vector<std::string> Members::hashClashes() const
{
    std::unordered_map<int32_t, std::string> seen;
    std::vector<std::string> clashes;
    for (const std::string& n : order) {
        auto [it, fresh] = seen.emplace(vela::io::archiveNameHash(n), n);
        if (!fresh)
            clashes.push_back(it->second + " / " + n);
    }
    return clashes;
}

std::vector<std::string> Members::falseHits(const std::vector<std::string>& absentProbes) const
{
    std::unordered_map<int32_t, std::string> hashes;
    for (const std::string& n : order)
        hashes.emplace(vela::io::archiveNameHash(n), n);
    std::vector<std::string> hits;
    for (const std::string& p : absentProbes) {
        if (has(p))
            continue;
        auto it = hashes.find(vela::io::archiveNameHash(p));
        if (it != hashes.end())
            hits.push_back(p + " -> " + it->second);
    }
    return hits;
}

std::string Members::writeTo(const std::string& dir) const
{
    namespace fs = std::filesystem;
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string listPath = dir + ".list";
    std::ofstream list(listPath, std::ios::binary);
    for (const std::string& n : order) {
        fs::path p = fs::path(dir) / n;
        fs::create_directories(p.parent_path());
        std::ofstream f(p, std::ios::binary);
        const Bytes& b = index.at(n);
        f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
        if (!f)
            throw std::runtime_error("cannot write " + p.string());
        list << n << '\n';
    }
    if (!list)
        throw std::runtime_error("cannot write " + listPath);
    return listPath;
}

}  // namespace datagen
