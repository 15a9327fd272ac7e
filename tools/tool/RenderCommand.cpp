// tintrow-tool render: plays a wave or module file through the engine's mixer into a wave file.
#include "Commands.h"
#include "ParseNumber.h"

#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "sound/hssOfflineRenderer.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace vela;

namespace {

const char* const RENDER_USAGE =
    "render INPUT --out OUT.wav [--seconds N] [--rate R] [--mono] [--8bit]   (INPUT may be ARCHIVE:MEMBER)";

int renderUsage()
{
    std::fprintf(stderr, "usage: tintrow-tool %s\n", RENDER_USAGE);
    return 2;
}

bool fileExists(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool readMember(const std::string& archive, const std::string& member, std::vector<uint8_t>& bytes)
{
    try {
        io::openArchiveAt(archive);
        io::D7zipInputStreamPtr in = new io::D7zipInputStream(lang::DString::fromUtf8(member));
        lang::DbyteArrayPtr chunk = new lang::DbyteArray(65536);
        for (int32_t got; (got = in->read(chunk, 0, chunk->length())) > 0;)
            bytes.insert(bytes.end(), chunk->data(), chunk->data() + got);
        return true;
    } catch (lang::DExceptionBase* e) {
        delete e;
        const std::string& reason = io::archiveFailureReason();
        std::fprintf(stderr, "tintrow-tool: cannot read \"%s\" of \"%s\"%s%s\n", member.c_str(), archive.c_str(),
                     reason.empty() ? "" : ": ", reason.c_str());
        return false;
    }
}

// A plain file, or ARCHIVE:MEMBER split at the first colon whose prefix names a file.
bool readInput(const std::string& input, std::vector<uint8_t>& bytes, std::string& name)
{
    name = input;
    if (fileExists(input))
        return readFile(input, bytes);
    for (size_t colon = input.find(':'); colon != std::string::npos; colon = input.find(':', colon + 1)) {
        if (fileExists(input.substr(0, colon))) {
            name = input.substr(colon + 1);
            return readMember(input.substr(0, colon), name, bytes);
        }
    }
    std::fprintf(stderr, "tintrow-tool: cannot open \"%s\"\n", input.c_str());
    return false;
}

bool endsWith(const std::string& text, const char* suffix)
{
    size_t n = std::strlen(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

} // namespace

int runRender(int argc, char** argv)
{
    std::string input;
    std::string output;
    hssRenderSettings settings;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        double value = 0;
        if (arg == "--out" && hasValue) {
            output = argv[++i];
        } else if (arg == "--seconds" && hasValue && parseNumber(argv[i + 1], 0, HSS_RENDER_MAX_SECONDS, value)) {
            settings.seconds = value;
            ++i;
        } else if (arg == "--rate" && hasValue && parseNumber(argv[i + 1], 4000, 192000, value)) {
            settings.frequency = static_cast<int>(value);
            ++i;
        } else if (arg == "--mono") {
            settings.stereo = false;
        } else if (arg == "--8bit") {
            settings.bits = 8;
        } else if (input.empty() && arg.rfind("--", 0) != 0) {
            input = arg;
        } else {
            std::fprintf(stderr, "tintrow-tool: bad render argument \"%s\"\n", arg.c_str());
            return renderUsage();
        }
    }
    if (input.empty() || output.empty())
        return renderUsage();

    std::vector<uint8_t> bytes;
    std::string name;
    if (!readInput(input, bytes, name))
        return 1;
    bool isWave = endsWith(name, ".wav") || (!endsWith(name, ".mod") && bytes.size() >= 4 && std::memcmp(bytes.data(), "RIFF", 4) == 0);
    std::vector<uint8_t> pcm;
    int status = hssRenderOffline(bytes.data(), bytes.size(), !isWave, settings, pcm);
    if (status < 0) {
        std::fprintf(stderr, "tintrow-tool: cannot play \"%s\" (engine status %d)\n", input.c_str(), status);
        return 1;
    }
    std::vector<uint8_t> file = hssWaveFileOf(pcm, settings);
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "tintrow-tool: cannot write \"%s\"\n", output.c_str());
        return 1;
    }
    return 0;
}
