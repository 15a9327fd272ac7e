// Reading level files through the data streams.
#include "game/rules/LevelFile.h"

#include <algorithm>

#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "lang/DArray.h"
#include "lang/DExceptionBase.h"

using namespace vela::lang;
using namespace vela::io;

namespace tintrow {

static constexpr int32_t TICK_MS = 42;

[[noreturn]] static void refuse(const char* why)
{
    throw new DExceptionBase(IOException, why);
}

LevelFile LevelFile::parse(const DbyteArrayPtr& bytes)
{
    if (!bytes)
        refuse("level file missing");
    DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(bytes));
    LevelFile level;
    level.width = in->readByte();
    level.height = in->readByte();
    level.gameType = std::min<int32_t>(in->readByte(), 1);
    level.goal = std::min<int32_t>(in->readByte(), 2);
    level.colourCount = std::min<int32_t>(in->readByte(), 5);
    level.nextCount = std::min<int32_t>(in->readByte(), 10);
    level.timeLimit = std::max<int32_t>(in->readInt(), 1);
    level.bonusPerPoint = in->readInt();
    level.lineLength = in->readByte();
    level.pointsToWin = in->readShort();
    // The rate is wrapped to 32 bits like the original arithmetic, never overflowed.
    int64_t rate = in->readInt();
    level.particleInterval = static_cast<int32_t>(static_cast<uint32_t>(rate * TICK_MS)) / 1000;
    if (level.width <= 0 || level.height <= 0)
        refuse("level board has no cells");
    if (level.colourCount <= 0 || level.nextCount <= 0)
        refuse("level has no colours or no next balls");
    level.kinds.resize(static_cast<size_t>(level.width) * level.height);
    for (int8_t& kind : level.kinds)
        kind = in->readByte();
    return level;
}

} // namespace tintrow
