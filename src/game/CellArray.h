// An object array of cells: one board row, or the next balls.
#pragma once

#include "game/Cell.h"
#include "game/CellArray.ptr"
#include "lang/DArray.h"

namespace tintrow {

class CellArray : public vela::lang::DObjectArrayOf<Cell> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace tintrow
