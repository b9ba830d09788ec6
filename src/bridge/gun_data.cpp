#include "gun_data.h"

#include "profile_block.h"

#include <algorithm>

namespace {

uchar low(qint64 value)
{
    return uchar(quint64(value) & 0xFF);
}

}  // namespace

namespace gun {

bool validGunNumber(int gunNumber)
{
    return gunNumber >= 1 && gunNumber <= kGuns;
}

std::array<uchar, 4> command553(const Values &values, int gunNumber, uchar optionByte3)
{
    const uchar y = low(values.y);
    return {low(values.shots), low(values.x), optionByte3 != 0 ? uchar(-y) : y, low(gunNumber - 1)};
}

void writeToBlock(uchar *target, const Values &values)
{
    target[block::GunData] = block::kGunDataMarker;
    target[block::GunData + 1] = low(values.shots);
    target[block::GunData + 2] = low(values.x);
    target[block::GunData + 3] = low(values.y);
    target[block::GunFlags] &= uchar(~block::kGunFlagsCleared);
}

}  // namespace gun

namespace macro {

Buffer buffer(const std::vector<uchar> &bytes)
{
    Buffer out{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), out.size()), out.begin());
    return out;
}

}  // namespace macro
