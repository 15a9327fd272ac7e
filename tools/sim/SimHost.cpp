// The rules simulator's world: a settable clock, a sound recorder and level files on disk.
#include "SimHost.h"

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "lang/DArray.h"

bool SimLevels::open(const std::string& path, std::string& error)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        error = std::string("cannot open ") + path + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        folder = path;
        return true;
    }
    if (!archive.open(path, error))
        return false;
    for (uint32_t i = 0; i < archive.memberCount(); ++i) {
        if (archive.isDirectory(i))
            continue;
        std::string name = archive.name8(i);
        for (char& c : name)
            if (c == '\\')
                c = '/';
        if (!name.empty() && name[0] == '/')
            name.erase(0, 1);
        members.emplace(name, i);
    }
    return true;
}

bool SimLevels::readBytes(int32_t index, std::vector<uint8_t>& bytes)
{
    std::string name = std::to_string(index) + ".bin";
    if (!folder.empty()) {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    }
    auto member = members.find(name);
    std::string error;
    return member != members.end() && archive.extract(member->second, bytes, error);
}

vela::lang::DbyteArrayPtr SimLevels::read(int32_t index)
{
    std::vector<uint8_t> bytes;
    if (index < 0 || !readBytes(index, bytes))
        return nullptr;
    vela::lang::DbyteArrayPtr array = new vela::lang::DbyteArray(int32_t(bytes.size()));
    if (!bytes.empty())
        std::memcpy(array->data(), bytes.data(), bytes.size());
    return array;
}

void SimHost::playSound(int32_t index, int32_t pan, bool loop)
{
    sounds.push_back({index, pan, loop});
}

void SimHost::setVolumes(int32_t first, int32_t second)
{
    volumes[0] = first;
    volumes[1] = second;
}
