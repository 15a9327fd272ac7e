// The board: rows of cells, indexed by row (y) and then column (x).
#pragma once

#include "game/CellArray.h"
#include "game/CellArray2d.ptr"
#include "lang/DArray2d.h"

namespace tintrow {

class CellArray2d : public vela::lang::DArray2dOf<CellArray> {
public:
    using DArray2dOf::DArray2dOf;
};

} // namespace tintrow
