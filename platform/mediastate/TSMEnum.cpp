#include "mediastate/TSMEnum.h"

#include "framework/TPack.h"

TPack &operator<<(TPack &pack, const TSMEnum::MEDIUM &medium) {
  pack.PutInt32(medium);
  return pack;
}

TPack &operator>>(TPack &pack, TSMEnum::MEDIUM &medium) {
  medium = static_cast<TSMEnum::MEDIUM>(pack.GetInt32());
  return pack;
}
