// Module encoding, and a reading of the file that follows the player's own rules and timing.
#include "Module.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace datagen {

int notePeriod(int index)
{
    static const int middle[12] = {428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226};
    if (index < 0 || index >= 84)
        throw std::out_of_range("note outside the 7 octaves");
    int octave = index / 12, step = index % 12;
    return int(std::lround(middle[step] * std::pow(2.0, 2 - octave)));
}

static void putName(ByteWriter& w, const std::string& name, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        w.u8(i < name.size() ? name[i] : 0);
}

Bytes encodeModule(const Module& m)
{
    if (m.instruments.size() > 31 || m.order.empty() || m.order.size() > 128)
        throw std::invalid_argument("module: up to 31 instruments and 1..128 orders");
    ByteWriter w;
    putName(w, m.title, 20);
    for (size_t i = 0; i < 31; ++i) {
        Instrument none;
        const Instrument& in = i < m.instruments.size() ? m.instruments[i] : none;
        if (in.data.size() % 2 || in.data.size() > 131070)
            throw std::invalid_argument("module: sample of odd or excessive length");
        putName(w, in.name, 22);
        w.u16(int(in.data.size() / 2));
        w.u8(0);  // finetune
        w.u8(in.volume);
        w.u16(in.loopStart / 2);
        w.u16(in.loopLength >= 4 ? in.loopLength / 2 : 1);
    }
    w.u8(int(m.order.size()));
    w.u8(0);  // restart at the first order
    for (size_t i = 0; i < 128; ++i)
        w.u8(i < m.order.size() ? m.order[i] : 0);
    w.text(m.tracks == 4 ? "M.K." : std::to_string(m.tracks) + "CHN");
    for (const Pattern& p : m.patterns) {
        if (p.tracks != m.tracks)
            throw std::invalid_argument("module: pattern with another track count");
        for (const Note& n : p.cells) {
            w.u8((n.instrument & 0xF0) | (n.period >> 8));
            w.u8(n.period & 0xFF);
            w.u8((n.instrument & 0x0F) << 4 | n.effect);
            w.u8(n.param);
        }
    }
    for (const Instrument& in : m.instruments)
        for (int8_t s : in.data)
            w.u8(uint8_t(s));
    return w.data();
}

// The extended commands the player knows: pattern loop, fine volume, note cut and delay, row delay.
static bool playedExtended(int sub)
{
    return sub == 0x6 || (sub >= 0xA && sub <= 0xE);
}

static int be16(const Bytes& b, size_t at)
{
    return b[at] << 8 | b[at + 1];
}

// Walks the order list as the player does (speed, tempo, breaks, jumps, delays) to time one pass.
static double playingTime(const Bytes& b, int tracks, int songLength)
{
    double seconds = 0;
    int speed = 6, tempo = 50;  // ticks per row, ticks per second
    int order = 0, row = 0;
    for (int guard = 0; order < songLength && guard < 100000; ++guard) {
        size_t base = 1084 + size_t(b[952 + size_t(order)]) * 64 * size_t(tracks) * 4 + size_t(row) * size_t(tracks) * 4;
        int nextOrder = -1, nextRow = 0, delay = 0;
        for (int t = 0; t < tracks; ++t) {
            int effect = b[base + size_t(t) * 4 + 2] & 0x0F, param = b[base + size_t(t) * 4 + 3];
            if (effect == 0xF && param > 0 && param <= 32)
                speed = param;
            else if (effect == 0xF && param > 32)
                tempo = param * 2 / 5;
            else if (effect == 0xB)
                nextOrder = param, nextRow = 0;
            else if (effect == 0xD)
                nextOrder = order + 1, nextRow = (param >> 4) * 10 + (param & 15);
            else if (effect == 0xE && (param >> 4) == 0xE)
                delay = param & 15;
        }
        seconds += double(speed) * (1 + delay) / tempo;
        if (nextOrder >= 0) {
            if (nextOrder <= order && nextRow == 0 && nextOrder != order + 1)
                break;  // a jump back: the pass is over
            order = nextOrder, row = nextRow;
        } else if (++row == 64) {
            ++order, row = 0;
        }
    }
    return seconds;
}

ModuleInfo inspectModule(const Bytes& b)
{
    if (b.size() < 1084)
        throw std::runtime_error("shorter than a module header");
    ModuleInfo info;
    char sig[5] = {char(b[1080]), char(b[1081]), char(b[1082]), char(b[1083]), 0};
    if (std::strcmp(sig, "M.K.") == 0)
        info.tracks = 4;
    else if ((sig[1] == 'C' || sig[2] == 'C') && sig[0] >= '1' && sig[0] <= '9')
        info.tracks = std::atoi(sig);
    if (info.tracks < 1 || info.tracks > 32)
        throw std::runtime_error(std::string("unsupported signature ") + sig);
    info.songLength = b[950];
    if (info.songLength < 1 || info.songLength > 128)
        throw std::runtime_error("song length outside 1..128");
    for (int i = 0; i < info.songLength; ++i)
        info.patterns = std::max(info.patterns, b[952 + size_t(i)] + 1);
    size_t samplesAt = 1084 + size_t(info.patterns) * 64 * size_t(info.tracks) * 4;
    size_t total = samplesAt;
    for (int i = 0; i < 31; ++i) {
        size_t rec = 20 + size_t(i) * 30;
        size_t len = size_t(be16(b, rec + 22)) * 2, loopStart = size_t(be16(b, rec + 26)) * 2;
        size_t loopLen = size_t(be16(b, rec + 28)) * 2;
        if (b[rec + 25] > 64)
            throw std::runtime_error("instrument volume above 64");
        if (loopLen >= 4 && loopStart + loopLen > len)
            throw std::runtime_error("instrument loop runs past its sample");
        total += len;
    }
    if (b.size() < total)
        throw std::runtime_error("file shorter than its patterns and samples");
    for (size_t at = 1084; at < samplesAt; at += 4) {
        int instrument = (b[at] & 0xF0) | (b[at + 2] >> 4), period = (b[at] & 0x0F) << 8 | b[at + 1];
        int effect = b[at + 2] & 0x0F, param = b[at + 3];
        if (period != 0 && (period < 13 || period > 1712))
            throw std::runtime_error("note period outside the table");
        if (instrument != 0 && be16(b, 20 + size_t(instrument - 1) * 30 + 22) == 0)
            throw std::runtime_error("note names an empty instrument");
        if (effect == 7 || effect == 8 || (effect == 0xE && !playedExtended(param >> 4)))
            throw std::runtime_error("an effect the player ignores");
    }
    info.seconds = playingTime(b, info.tracks, info.songLength);
    return info;
}

}  // namespace datagen
