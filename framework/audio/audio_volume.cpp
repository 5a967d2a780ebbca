#include "framework/audio/audio_volume.h"

#include <algorithm>

// The top of the scale is -2 dB, not 0: effects at double volume and full
// music never clip against each other.
const int32_t kAttenuationTable[100] = {
    10000, 6623, 5623, 5495, 5370, 5248, 5129, 5012, 4898, 4786, //
    4677,  4571, 4467, 4365, 4266, 4169, 4074, 3981, 3890, 3802, //
    3715,  3631, 3548, 3467, 3388, 3311, 3236, 3162, 3090, 3020, //
    2951,  2884, 2818, 2754, 2692, 2630, 2570, 2512, 2455, 2399, //
    2344,  2291, 2239, 2188, 2138, 2089, 2042, 1995, 1950, 1905, //
    1862,  1820, 1778, 1738, 1698, 1660, 1622, 1585, 1549, 1514, //
    1479,  1445, 1413, 1380, 1349, 1318, 1288, 1259, 1230, 1202, //
    1175,  1148, 1122, 1096, 1072, 1070, 1068, 1066, 1064, 1062, //
    1060,  1058, 1056, 1054, 1052, 1050, 1048, 1046, 1044, 1042, //
    1040,  1038, 1032, 1030, 1028, 1000, 800,  600,  400,  200,  //
};

int32_t PlatformVolume(int32_t masterVolume, int32_t ownVolume) {
    // 64-bit product: huge percentages saturate instead of wrapping around.
    const int64_t level = int64_t(masterVolume) * ownVolume / 100;
    if (level < 0) return -10000;
    return -kAttenuationTable[std::min<int64_t>(level, 99)];
}
