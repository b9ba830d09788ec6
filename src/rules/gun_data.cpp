// SPDX-License-Identifier: GPL-3.0-or-later
#include "gun_data.h"

#include "bridge_values.h"
#include "profile_block.h"

#include <algorithm>

namespace gun {

bool validGunNumber(int gunNumber)
{
    return gunNumber >= 1 && gunNumber <= kGuns;
}

std::array<uchar, 4> command553(const Values &values, int gunNumber, uchar optionByte3)
{
    const uchar y = bridge::lowByteOf(values.y);
    return {bridge::lowByteOf(values.shots), bridge::lowByteOf(values.x), optionByte3 != 0 ? uchar(-y) : y,
            bridge::lowByteOf(gunNumber - 1)};
}

void writeToBlock(uchar *target, const Values &values)
{
    target[block::GunData] = block::kGunDataMarker;
    target[block::GunData + 1] = bridge::lowByteOf(values.shots);
    target[block::GunData + 2] = bridge::lowByteOf(values.x);
    target[block::GunData + 3] = bridge::lowByteOf(values.y);
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
