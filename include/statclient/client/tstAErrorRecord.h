// AErrorRecord: reports an error to the Statistics Server, which records it.
//
// The application fills the TErrorRecord part and calls WriteRecord, which sends that part as
// request object 1 and reads no reply body. Copying copies both parts; assignment copies the
// record only.
#ifndef STATCLIENT_CLIENT_TSTAERRORRECORD_H_
#define STATCLIENT_CLIENT_TSTAERRORRECORD_H_

#include "client/tstAServer.h"
#include "records/tstTErrorRecord.h"

class AErrorRecord : public TErrorRecord, public AStatisticsServer {
public:
  AErrorRecord();
  AErrorRecord(const AErrorRecord &other);
  AErrorRecord &operator=(const AErrorRecord &other);
  ~AErrorRecord() override;

  // Sends the record and returns the result code. An exception raised while packing passes to
  // the caller.
  unsigned short WriteRecord();

protected:
  unsigned short SendRequest();
};

#endif // STATCLIENT_CLIENT_TSTAERRORRECORD_H_
