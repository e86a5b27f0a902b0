#include "mediastate/TSMEnum.h"

#include "framework/TPack.h"

TPack &operator<<(TPack &pack, const TSMEnum::MEDIUM &value) { return PackEnum32(pack, value); }
TPack &operator>>(TPack &pack, TSMEnum::MEDIUM &value) { return UnpackEnum32(pack, value); }
