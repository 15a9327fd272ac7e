// Profile table: one row per supported screen size.
#include "Profiles.h"

namespace datagen {

const std::vector<Profile>& profiles()
{
    static const std::vector<Profile> table = {
        //  w    h  cell border panel menu game score
        {240, 320, 24, 4, 22, 15, 12, 16},
        {320, 240, 20, 3, 18, 14, 11, 14},
        {480, 640, 48, 8, 42, 28, 22, 32},
        {640, 480, 40, 6, 34, 24, 19, 26},
        {176, 220, 16, 3, 15, 12, 10, 12},
    };
    return table;
}

}  // namespace datagen
