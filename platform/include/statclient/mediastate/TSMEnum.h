// The medium enumeration of the media-state client library.
//
// Travels as int32 (TPack encoding). Values: 0 none, 1 telephony, 2 callback, 3 e-mail,
// 4 web, 5 open media; other values travel unchanged.
#ifndef STATCLIENT_PLATFORM_MEDIASTATE_TSMENUM_H_
#define STATCLIENT_PLATFORM_MEDIASTATE_TSMENUM_H_

class TPack;

class TSMEnum {
public:
  enum MEDIUM : int {
    MEDIUM_NONE = 0,
    MEDIUM_TELEPHONY = 1,
    MEDIUM_CALLBACK = 2,
    MEDIUM_EMAIL = 3,
    MEDIUM_WEB = 4,
    MEDIUM_OPENMEDIA = 5,
  };
};

TPack &operator<<(TPack &pack, const TSMEnum::MEDIUM &medium);
TPack &operator>>(TPack &pack, TSMEnum::MEDIUM &medium);

#endif // STATCLIENT_PLATFORM_MEDIASTATE_TSMENUM_H_
