// The board: rows of cells, indexed by row (y) and then column (x).
#pragma once

#include "game/rules/CellArray.h"
#include "game/rules/CellArray2d.ptr"
#include "lang/DArray2d.h"

namespace tintrow {

class CellArray2d : public vela::lang::DArray2dOf<CellArray> {
public:
    using DArray2dOf::DArray2dOf;
};

} // namespace tintrow
