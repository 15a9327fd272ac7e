// The four tunes: arranged from their scores and written as modules.
#include "Audio.h"

#include "GameReaders.h"
#include "Generate.h"
#include "Module.h"
#include "Score.h"

#include <stdexcept>

namespace datagen {

// Shortest pass through a tune before it loops, so that it does not tire the ear.
constexpr double MINIMUM_TUNE_SECONDS = 60.0;

void addTunes(Members& m, const std::string& musicDir)
{
    for (const SoundName& s : soundTable()) {
        if (!s.tune)
            continue;
        std::string name = std::string(s.name).substr(4);  // "snd/menu" is scored in menu.score
        Module module = arrangeScore(name, readFile(musicDir + "/" + name + ".score"));
        Bytes bytes = encodeModule(module);
        std::vector<std::string> faults = moduleFaults(module);
        faults.push_back(moduleFault(bytes));
        for (const std::string& fault : faults)
            if (!fault.empty())
                throw std::runtime_error(name + ".score: " + fault);
        m.add(std::string(s.name) + ".mod", bytes);
    }
}

std::string moduleFault(const Bytes& mod)
{
    try {
        double seconds = moduleSeconds(mod);
        if (seconds < MINIMUM_TUNE_SECONDS)
            return "plays " + std::to_string(int(seconds)) + " s before it loops";
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

}  // namespace datagen
