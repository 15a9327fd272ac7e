// Score arrangement: the melody as written, a broken-chord accompaniment, bass, pads and drums.
//
// A section is one pattern of 4 bars; a bar is 16 rows. Chords are given per half bar (8 per
// section, "." keeps the previous one), the melody per eighth note (32 tokens: a note such as
// "e5", "f#4" or "bb4", "-" to hold it, "." for silence, "~" before a note to glide into it),
// drums per sixteenth (16 characters per bar: k kick, s snare, h shaker, "." nothing).
#include "Score.h"

#include "Instruments.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace datagen {

namespace {

struct Section {
    std::vector<std::string> chords, melody;
    std::string drums;
};

struct Score {
    int tracks = 4, tempo = 100, speed = 6;
    InstrumentId lead = FLUTE;
    std::string bass = "long";
    std::string drums = "k...h...s...h...";
    std::map<std::string, Section> sections;
    std::vector<std::string> order;
};

std::vector<std::string> words(const std::string& s)
{
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        if (w != "|")
            out.push_back(w);
    return out;
}

int parseInt(const std::string& v, const std::string& where)
{
    try {
        size_t used = 0;
        int n = std::stoi(v, &used);
        if (used == v.size())
            return n;
    } catch (const std::exception&) {
    }
    throw std::runtime_error(where + ": \"" + v + "\" is not a number");
}

Score parse(const std::string& title, const std::string& source)
{
    Score s;
    std::istringstream in(source);
    std::string line, current;
    for (int no = 1; std::getline(in, line); ++no) {
        std::string where = title + ":" + std::to_string(no);
        std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#')
            continue;
        std::string key = w[0];
        std::vector<std::string> args(w.begin() + 1, w.end());
        std::string one = args.empty() ? "" : args[0];
        if (key == "channels")
            s.tracks = parseInt(one, where);
        else if (key == "tempo")
            s.tempo = parseInt(one, where);
        else if (key == "speed")
            s.speed = parseInt(one, where);
        else if (key == "lead" && (one == "flute" || one == "bell"))
            s.lead = one == "flute" ? FLUTE : BELL;
        else if (key == "bass" && (one == "long" || one == "pulse" || one == "walk"))
            s.bass = one;
        else if (key == "section")
            current = one, s.sections[current];
        else if (key == "order")
            s.order = args;
        else if (key == "drums" && args.size() == 1 && one.size() == 16 && current.empty())
            s.drums = one;
        else if (!current.empty() && key == "drums" && args.size() == 1 && one.size() == 16)
            s.sections[current].drums = one;
        else if (!current.empty() && key == "chords" && args.size() == 8)
            s.sections[current].chords = args;
        else if (!current.empty() && key == "melody" && args.size() == 32)
            s.sections[current].melody = args;
        else
            throw std::runtime_error(where + ": cannot read \"" + line + "\"");
    }
    if (s.tracks != 4 && s.tracks != 8)
        throw std::runtime_error(title + ": 4 or 8 channels");
    if (s.tempo <= 32 || s.tempo > 255 || s.speed < 1 || s.speed > 32)
        throw std::runtime_error(title + ": tempo 33..255 and speed 1..32");
    // Players count ticks per second as tempo * 2 / 5 in whole numbers: any other tempo runs slow.
    if (s.tempo % 5 != 0)
        throw std::runtime_error(title + ": tempo must be a multiple of 5");
    for (const auto& [name, sec] : s.sections)
        if ((sec.drums + s.drums).find_first_not_of("ksh.") != std::string::npos)
            throw std::runtime_error(title + ": drums are written with k, s, h and \".\" only");
    if (s.order.empty())
        throw std::runtime_error(title + ": no order");
    for (const std::string& name : s.order) {
        auto it = s.sections.find(name);
        if (it == s.sections.end() || it->second.chords.empty() || it->second.melody.empty())
            throw std::runtime_error(title + ": section \"" + name + "\" is missing or incomplete");
    }
    return s;
}

// "e5" → MIDI 76; "f#4", "bb4"; throws on anything else.
int noteMidi(const std::string& t, const std::string& where)
{
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (t.size() < 2 || t[0] < 'a' || t[0] > 'g')
        throw std::runtime_error(where + ": bad note \"" + t + "\"");
    int n = base[t[0] - 'a'];
    size_t at = 1;
    if (t[at] == '#')
        ++n, ++at;
    else if (t[at] == 'b' && at + 1 < t.size())
        --n, ++at;
    if (at + 1 != t.size() || t[at] < '0' || t[at] > '8')
        throw std::runtime_error(where + ": bad note \"" + t + "\"");
    return n + 12 * (t[at] - '0' + 1);
}

// Chord tones above the root as MIDI numbers in the octave of C4.
std::vector<int> chordTones(const std::string& c, const std::string& where)
{
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};
    if (c.empty() || c[0] < 'A' || c[0] > 'G')
        throw std::runtime_error(where + ": bad chord \"" + c + "\"");
    int root = base[c[0] - 'A'] + 60;
    size_t at = 1;
    if (at < c.size() && (c[at] == '#' || c[at] == 'b'))
        root += c[at++] == '#' ? 1 : -1;
    static const std::map<std::string, std::vector<int>> qualities = {
        {"", {0, 4, 7}},        {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}}, {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}}, {"sus", {0, 5, 7}},      {"dim", {0, 3, 6}},
    };
    auto q = qualities.find(c.substr(at));
    if (q == qualities.end())
        throw std::runtime_error(where + ": unknown chord quality in \"" + c + "\"");
    std::vector<int> tones;
    for (int i : q->second)
        tones.push_back(root + i);
    return tones;
}

class Arranger {
public:
    Arranger(const Score& s, const std::string& title) : score(s), songTitle(title) {}

    Pattern section(const Section& sec, bool first)
    {
        Pattern p(score.tracks);
        std::vector<std::vector<int>> chords;
        for (size_t i = 0; i < sec.chords.size(); ++i) {
            if (sec.chords[i] == ".") {
                if (chords.empty())
                    throw std::runtime_error(songTitle + ": a section must open with a chord");
                chords.push_back(chords.back());
            } else {
                chords.push_back(chordTones(sec.chords[i], songTitle));
            }
        }
        melody(p, sec.melody, 0);
        int track = 1;
        brokenChords(p, chords, track++);
        if (score.tracks == 8)
            for (int v = 0; v < 3; ++v)
                pads(p, chords, sec.chords, v, track++);
        bass(p, chords, sec.chords, track++);
        std::string bar = sec.drums.empty() ? score.drums : sec.drums;
        drums(p, bar, track, score.tracks == 8 ? "ks" : "ksh");
        if (score.tracks == 8)
            drums(p, bar, track + 1, "h");
        if (first) {  // speed and tempo on the opening row, in cells the arrangement leaves free
            p.at(0, score.tracks - 1).effect = 0xF, p.at(0, score.tracks - 1).param = score.speed;
            p.at(1, score.tracks - 1).effect = 0xF, p.at(1, score.tracks - 1).param = score.tempo;
        }
        return p;
    }

private:
    void put(Pattern& p, int row, int track, InstrumentId ins, int midi, int effect = 0, int param = 0)
    {
        Note& n = p.at(row, track);
        n.instrument = ins, n.period = notePeriod(tableIndex(ins, midi)), n.effect = effect, n.param = param;
    }

    void melody(Pattern& p, const std::vector<std::string>& tokens, int track)
    {
        bool sounding = false, gliding = false;
        for (size_t i = 0; i < tokens.size(); ++i) {
            int row = int(i) * 2;
            const std::string& t = tokens[i];
            if (t == "-") {
                // A held flute note breathes with a gentle vibrato; a bell rings out.
                for (int r = row; r < row + 2 && sounding; ++r)
                    effect(p, r, track, gliding ? 3 : score.lead == FLUTE ? 4 : 0xA, gliding ? 0 : score.lead == FLUTE ? 0x32 : 0x01);
            } else if (t == ".") {
                if (sounding)
                    effect(p, row, track, 0xC, 0);
                sounding = false;
            } else {
                gliding = t[0] == '~' && sounding;
                int midi = noteMidi(t[0] == '~' ? t.substr(1) : t, songTitle);
                put(p, row, track, score.lead, midi, gliding ? 3 : 0, gliding ? 0x18 : 0);
                if (!gliding && score.lead == BELL)
                    effect(p, row + 1, track, 0xA, 0x01);
                sounding = true;
            }
        }
    }

    static void effect(Pattern& p, int row, int track, int effect, int param)
    {
        p.at(row, track).effect = effect, p.at(row, track).param = param;
    }

    // Eighth notes climbing and falling through the chord, fading quickly like a plucked string.
    void brokenChords(Pattern& p, const std::vector<std::vector<int>>& chords, int track)
    {
        static const int shape[8] = {0, 1, 2, 3, 2, 1, 2, 1};
        for (int e = 0; e < 32; ++e) {
            const std::vector<int>& c = chords[size_t(e / 4)];
            int step = shape[e % 8];
            int midi = step < int(c.size()) ? c[size_t(step)] : c[0] + 12;
            if (step == 3 && c.size() > 3)
                midi = c[3];
            put(p, e * 2, track, PLUCK, midi - 12, 0xA, 0x02);
            effect(p, e * 2 + 1, track, 0xA, 0x02);
        }
    }

    void pads(Pattern& p, const std::vector<std::vector<int>>& chords, const std::vector<std::string>& names, int voice,
              int track)
    {
        for (int h = 0; h < 8; ++h) {
            if (names[size_t(h)] == ".")
                continue;
            const std::vector<int>& c = chords[size_t(h)];
            put(p, h * 8, track, PAD, c[size_t(voice + 1) % c.size()] - (voice == 2 ? 12 : 0));
        }
    }

    void bass(Pattern& p, const std::vector<std::vector<int>>& chords, const std::vector<std::string>& names, int track)
    {
        for (int h = 0; h < 8; ++h) {
            int root = chords[size_t(h)][0] - 24, fifth = chords[size_t(h)][2] - 24;
            if (root < 36)
                root += 12, fifth += 12;
            int row = h * 8;
            if (score.bass == "long") {
                if (names[size_t(h)] != ".")
                    put(p, row, track, BASS, root);
            } else if (score.bass == "pulse") {
                const int notes[4] = {root, root, fifth, root + 12};
                for (int q = 0; q < 4; ++q) {
                    put(p, row + q * 2, track, BASS, notes[q], 0xA, q == 0 ? 0 : 0x01);
                }
            } else {  // walk: root and fifth on the beats
                put(p, row, track, BASS, root);
                put(p, row + 4, track, BASS, h % 2 ? root + 12 : fifth);
            }
        }
    }

    void drums(Pattern& p, const std::string& bar, int track, const std::string& kinds)
    {
        for (int row = 0; row < 64; ++row) {
            char k = bar[size_t(row % 16)];
            if (kinds.find(k) == std::string::npos)
                continue;
            InstrumentId id = k == 'k' ? KICK : k == 's' ? SNARE : HAT;
            Note& n = p.at(row, track);
            n.instrument = id, n.period = notePeriod(DRUM_INDEX);
        }
    }

    const Score& score;
    std::string songTitle;
};

}  // namespace

Module arrangeScore(const std::string& title, const std::string& source)
{
    Score s = parse(title, source);
    Module m;
    m.title = title;
    m.tracks = s.tracks;
    m.instruments = synthInstruments();
    Arranger arranger(s, title);
    std::map<std::string, int> numbers;
    for (const std::string& name : s.order) {
        if (!numbers.count(name)) {
            numbers[name] = int(m.patterns.size());
            m.patterns.push_back(arranger.section(s.sections.at(name), m.patterns.empty()));
        }
        m.order.push_back(numbers[name]);
    }
    return m;
}

}  // namespace datagen
