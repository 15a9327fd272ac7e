// The player table: one player reference per engine channel id.
#pragma once

#include "lang/DArray.h"
#include "microedition/media/DPlayer.h"
#include "microedition/media/DPlayerArray.ptr"

namespace vela::microedition::media {

class DPlayerArray : public lang::DObjectArrayOf<DPlayer> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace vela::microedition::media
