// AContactLog: queries, updates and deletes an agent's contact-log entries.
//
// The object is a TEventDataContactLog (the entry it sends) and a proxy. The query and the
// delete send the entry itself as the body of request object 2; the update (action 3) sends a
// TEventDataUpdateContactLog filled from it, and the key that the server returns in front of the
// reply header replaces RecordKey. Every exception raised once the request buffer is obtained
// is turned into result 5709; none leaves a request.
//
// Copying default-constructs both parts and then assigns, so a copy carries the entry but not
// the proxy's client name; assignment copies the entry only.
#ifndef STATCLIENT_CLIENT_TSTACONTACTLOG_H_
#define STATCLIENT_CLIENT_TSTACONTACTLOG_H_

#include "client/tstAServer.h"
#include "records/tstTEventDataContactLog.h"

class AContactLog : public TEventDataContactLog, public AStatisticsServer {
public:
  AContactLog();
  AContactLog(const AContactLog &other);
  AContactLog &operator=(const AContactLog &other);
  ~AContactLog() override;

  // Action 0, no reply read.
  unsigned short QueryContactLogSummary();
  // Action 3; on success RecordKey holds the key the server returned.
  unsigned short UpdateContactLogSummary();
  // The caller's action; action 3 behaves as UpdateContactLogSummary.
  unsigned short DeleteContactLogSummary(enContactLogActions action);

protected:
  // Sends request object 2 with `action` and `replyFlag`; `*value` receives the reply header's
  // 32-bit value (0 when no reply is decoded).
  unsigned short SendRequest(enContactLogActions action, long *value, unsigned char replyFlag);
  // Decodes the reply of a delivered request: for action 3 first the entry's new RecordKey,
  // then the reply header. 5709 when they cannot be unpacked; a RecordKey already read keeps
  // its new value and `*value` is left as it was.
  unsigned short GetMessageReply(enContactLogActions action, const TRPC &rpc, long *value);

private:
  // Brackets SendRequest with the FENX "<entry>: Start." and "<entry>: End." lines.
  unsigned short Traced(const char *entry, enContactLogActions action, unsigned char replyFlag);
};

#endif // STATCLIENT_CLIENT_TSTACONTACTLOG_H_
