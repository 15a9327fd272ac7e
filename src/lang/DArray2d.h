// Two-dimensional arrays: object arrays of row arrays.
#pragma once

#include "lang/DArray.h"
#include "lang/DObjectArray2d.ptr"
#include "lang/DbyteArray2d.ptr"
#include "lang/DintArray2d.ptr"
#include "lang/DshortArray2d.ptr"

namespace vela::lang {

// Rows of class Row; `rows` null rows, or `rows` new rows of `columns` zeroed elements.
template <class Row>
class DArray2dOf : public DObjectArrayOf<Row> {
public:
    explicit DArray2dOf(int32_t rows) : DObjectArrayOf<Row>(rows) { }
    DArray2dOf(int32_t rows, int32_t columns) : DObjectArrayOf<Row>(rows)
    {
        for (int32_t i = 0; i < rows; ++i)
            this->set(i, DPtr<Row>(new Row(columns)));
    }
};

class DObjectArray2d : public DArray2dOf<DObjectArray> {
public:
    using DArray2dOf::DArray2dOf;
    // The class name of row 0 followed by "2d"; "DObjectArray2d" when empty or row 0 is null.
    const char* getClassName() const override;
};

class DbyteArray2d : public DArray2dOf<DbyteArray> {
public:
    using DArray2dOf::DArray2dOf;
    const char* getClassName() const override;
};

class DshortArray2d : public DArray2dOf<DshortArray> {
public:
    using DArray2dOf::DArray2dOf;
    const char* getClassName() const override;
};

class DintArray2d : public DArray2dOf<DintArray> {
public:
    using DArray2dOf::DArray2dOf;
    const char* getClassName() const override;
};

} // namespace vela::lang
