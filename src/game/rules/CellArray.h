// An object array of cells: one board row, or the next balls.
#pragma once

#include "game/rules/Cell.h"
#include "game/rules/CellArray.ptr"
#include "lang/DArray.h"

namespace tintrow {

class CellArray : public vela::lang::DObjectArrayOf<Cell> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace tintrow
