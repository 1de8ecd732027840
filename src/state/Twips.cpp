#include "Twips.h"

#include <limits>

#include "Numeric.h"

namespace ql {

int twipsToPixels(int twips, double dotsPerInch)
{
    return static_cast<int>(roundClamp(twips * dotsPerInch / kTwipsPerInch,
                                       std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max()));
}

std::int16_t pixelsToTwips(int pixels, double dotsPerInch)
{
    return static_cast<std::int16_t>(roundClamp(pixels * kTwipsPerInch / dotsPerInch,
                                                std::numeric_limits<std::int16_t>::min(),
                                                std::numeric_limits<std::int16_t>::max()));
}

}  // namespace ql
