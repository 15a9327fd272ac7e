// A runtime object that counts its own destructions, so tests see exactly when it was freed.
#pragma once

#include "lang/DObject.h"

namespace support {

class Probe : public vela::lang::DObject {
public:
    explicit Probe(int* destroyed) : destroyed(destroyed) { }
    ~Probe() override { ++*destroyed; }

private:
    int* destroyed;
};

} // namespace support
