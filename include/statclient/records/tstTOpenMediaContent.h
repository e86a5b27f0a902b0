// One piece of the content of an open-media contact, nested in a contact detail.
//
// A plain value without set-flags. Unlike the other records its time stamp starts as the
// framework's TTimeStamp(0) (the current local time), not the zero value.
#ifndef STATCLIENT_RECORDS_TSTTOPENMEDIACONTENT_H_
#define STATCLIENT_RECORDS_TSTTOPENMEDIACONTENT_H_

#include <string>

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "tstSetFlags.h"

// Fields of TOpenMediaContent in wire order (format in tstSetFlags.h; no flag positions).
#define TST_OPEN_MEDIA_CONTENT_FIELDS(FIELD)                                                       \
  FIELD(SeqNumber, Long, Val, none, Plain, 0)                                                      \
  FIELD(Content, Text, Val, none, Trimmed, "")                                                     \
  FIELD(Source, Text, Val, none, Trimmed, "")                                                      \
  FIELD(SourceType, Text, Val, none, Trimmed, "")                                                  \
  FIELD(Destination, Text, Val, none, Trimmed, "")                                                 \
  FIELD(ReceivedTime, Time, Ref, none, Plain, 0)

class TOpenMediaContent {
public:
  TOpenMediaContent() = default;
  TOpenMediaContent(const TOpenMediaContent &) = default;
  TOpenMediaContent &operator=(const TOpenMediaContent &) = default;
  virtual ~TOpenMediaContent();

  TST_OPEN_MEDIA_CONTENT_FIELDS(TST_PLAIN_ACCESSORS)

  unsigned long Size() const;

private:
  template <class> friend struct statcore::Layout;
  TST_OPEN_MEDIA_CONTENT_FIELDS(TST_FIELD_MEMBER)
};

TPack &operator<<(TPack &pack, const TOpenMediaContent &record);
TPack &operator>>(TPack &pack, TOpenMediaContent &record);

#endif // STATCLIENT_RECORDS_TSTTOPENMEDIACONTENT_H_
