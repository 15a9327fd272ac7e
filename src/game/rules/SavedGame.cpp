// The saved progress game and the settings store, byte for byte.
#include "game/rules/Game.h"

#include <vector>

#include "game/rules/StoreRecords.h"
#include "io/DByteArrayInputStream.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DExceptionBase.h"

using namespace vela::lang;
using namespace vela::io;

namespace tintrow {

static const char16_t SAVED_GAME_STORE[] = u"gsv";
static const char16_t SETTINGS_STORE[] = u"cfg";

namespace {

// A saved game as read, checked in full before the game takes any of it.
struct SavedGame {
    int32_t selectedLevel = 0;
    int32_t levelStartScore = 0;
    int32_t score = 0;
    int64_t timeBank = 0;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    bool cursorVisible = false;
    int32_t turnState = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<int8_t> kindsAndColours;
};

bool inRange(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

// False for a short record or values no game can hold; the stored board must fit its bytes
// before any memory is committed to it.
bool readSavedGame(const DbyteArrayPtr& bytes, SavedGame& saved)
{
    static constexpr int32_t HEADER_BYTES = 41;
    try {
        DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(bytes));
        saved.selectedLevel = in->readInt();
        saved.levelStartScore = in->readInt();
        saved.score = in->readInt();
        saved.timeBank = in->readLong();
        saved.cursorX = in->readInt();
        saved.cursorY = in->readInt();
        saved.cursorVisible = in->readBoolean();
        saved.turnState = in->readInt();
        saved.width = in->readInt();
        saved.height = in->readInt();
        if (!inRange(saved.turnState, TURN_PLAYER, TURN_TRAVELLING) || saved.width <= 0
            || saved.height <= 0
            || int64_t(saved.width) * saved.height * 2 > bytes->length() - HEADER_BYTES)
            return false;
        saved.kindsAndColours.resize(size_t(saved.width) * saved.height * 2);
        for (size_t i = 0; i < saved.kindsAndColours.size(); i += 2) {
            saved.kindsAndColours[i] = in->readByte();
            saved.kindsAndColours[i + 1] = in->readByte();
            if (!inRange(saved.kindsAndColours[i], KIND_HOLE, KIND_BALL)
                || !inRange(saved.kindsAndColours[i + 1], 0, 4))
                return false;
        }
        return true;
    } catch (DExceptionBase* e) {
        acceptException(e, IOException);
        return false;
    }
}

} // namespace

void Game::saveGame()
{
    DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(bytes);
    out->writeInt(selectedLevel);
    out->writeInt(levelStartScore);
    out->writeInt(score);
    out->writeLong(timeBank);
    out->writeInt(cursorX);
    out->writeInt(cursorY);
    out->writeBoolean(cursorVisible);
    out->writeInt(turnState);
    out->writeInt(width);
    out->writeInt(height);
    for (Cell* cell : cells) {
        out->writeByte(cell->kind);
        out->writeByte(cell->colour);
    }
    writeRecordOne(SAVED_GAME_STORE, bytes->toByteArray());
}

bool Game::loadGame()
{
    DbyteArrayPtr bytes = readRecordOne(SAVED_GAME_STORE);
    SavedGame saved;
    if (!bytes || !readSavedGame(bytes, saved))
        return false;
    if (!inRange(saved.selectedLevel, 0, levelCount - 1))
        return false;
    try {
        LevelFile level = LevelFile::parse(host.readLevel(saved.selectedLevel));
        if (level.width != saved.width || level.height != saved.height)
            return false;
    } catch (DExceptionBase* e) {
        acceptException(e, IOException);
        return false;
    }

    selectedLevel = saved.selectedLevel;
    setupLevel(selectedLevel);
    levelStartScore = saved.levelStartScore;
    score = saved.score;
    timeBank = saved.timeBank;
    // A cursor off the board keeps the place the level set-up gave it.
    if (cellOrNull(saved.cursorX, saved.cursorY)) {
        cursorX = saved.cursorX;
        cursorY = saved.cursorY;
    }
    cursorVisible = saved.cursorVisible;
    turnState = saved.turnState;
    for (size_t i = 0; i < cells.size(); ++i) {
        Cell& cell = *cells[i];
        cell.kind = saved.kindsAndColours[2 * i];
        cell.colour = saved.kindsAndColours[2 * i + 1];
        cell.recordState(STATE_NEUTRAL);
    }
    announceNextBalls();
    return true;
}

bool Game::hasSavedGame()
{
    return storeHasRecord(SAVED_GAME_STORE);
}

void Game::deleteSavedGame()
{
    removeStore(SAVED_GAME_STORE);
}

void Game::saveSettings()
{
    DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(bytes);
    out->writeByte(host.volume(0));
    out->writeByte(host.volume(1));
    out->writeByte(highestLevel);
    writeRecordOne(SETTINGS_STORE, bytes->toByteArray());
}

void Game::loadSettings()
{
    DbyteArrayPtr bytes = readRecordOne(SETTINGS_STORE);
    if (!bytes)
        return;
    try {
        DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(bytes));
        int32_t first = in->readByte();
        int32_t second = in->readByte();
        int32_t highest = in->readByte();
        host.setVolumes(first, second);
        // No level has a negative index; such a byte would make continuing fail.
        if (highest >= 0)
            highestLevel = highest;
    } catch (DExceptionBase* e) {
        acceptException(e, IOException);
    }
}

} // namespace tintrow
