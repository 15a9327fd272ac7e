// Module encoding, and what of a module the game's player would not play.
#include "Module.h"

#include <cmath>
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

std::vector<std::string> moduleFaults(const Module& m)
{
    std::vector<std::string> faults;
    for (const Instrument& in : m.instruments) {
        if (in.volume > 64)
            faults.push_back("instrument volume above 64");
        if (in.loopLength >= 4 && size_t(in.loopStart + in.loopLength) > in.data.size())
            faults.push_back("instrument loop runs past its sample");
    }
    for (const Pattern& p : m.patterns)
        for (const Note& n : p.cells) {
            if (n.period != 0 && (n.period < 13 || n.period > 1712))
                faults.push_back("note period outside the table");
            if (n.instrument != 0 &&
                (size_t(n.instrument) > m.instruments.size() || m.instruments[size_t(n.instrument - 1)].data.empty()))
                faults.push_back("note names an empty instrument");
            if (n.effect == 7 || n.effect == 8 || (n.effect == 0xE && !playedExtended(n.param >> 4)))
                faults.push_back("an effect the player ignores");
        }
    return faults;
}

}  // namespace datagen
