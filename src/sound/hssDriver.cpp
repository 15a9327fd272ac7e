// Format checks shared by every output driver.
#include "sound/hssDriver.h"

bool hssFormat::valid() const
{
    bool both8and16Low = (flags & HSS_FORMAT_8BIT_LOW) && (flags & HSS_FORMAT_16BIT_HIGH);
    bool both8and16High = (flags & HSS_FORMAT_16BIT_LOW) && (flags & HSS_FORMAT_8BIT_HIGH);
    if (both8and16Low || both8and16High)
        return false;
    if ((flags & (HSS_FORMAT_8BIT | HSS_FORMAT_16BIT)) == 0)
        return false;
    return (channels == 1 || channels == 2) && frequency > 0 && frequency <= 384000;
}
