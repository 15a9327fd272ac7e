// One square of the board, or a next ball waiting to be announced: content and display state.
#pragma once

#include <cstdint>

#include "game/rules/Cell.ptr"
#include "lang/DObject.h"

namespace tintrow {

enum CellKind : int32_t { KIND_HOLE = 0, KIND_FLOOR = 1, KIND_BALL = 2 };

enum CellState : int32_t {
    STATE_NEUTRAL = 0,
    STATE_PLEASED = 1,
    STATE_EXCITED = 2,
    STATE_SELECTED = 3,
    STATE_APPEARING = 4,
    STATE_VANISHING = 5,
    STATE_PREVIEW = 6,
};

class Cell : public vela::lang::DObject {
public:
    int32_t kind = 0;
    int32_t state = 0;
    int32_t previousState = 0;
    int32_t colour = 0;
    int32_t frame = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t loops = 0;

    // The state before this change stays readable in previousState; rules use it as a marker.
    void recordState(int32_t s)
    {
        previousState = state;
        setState(s);
    }
    void setState(int32_t s)
    {
        state = s;
        restartAnimation();
    }
    void setKind(int32_t k)
    {
        kind = k;
        restartAnimation();
    }
    bool isBall() const { return kind == KIND_BALL; }
    bool matches(const Cell& other) const
    {
        return kind == KIND_BALL && other.kind == KIND_BALL && colour == other.colour;
    }

private:
    void restartAnimation()
    {
        frame = 0;
        loops = 0;
    }
};

} // namespace tintrow
