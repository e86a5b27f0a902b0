// AContactDetail: asks the Statistics Server for the details of one contact.
//
// The object is the question and the answer: the application sets the identifying fields of
// its TContactDetail part and calls QueryContactDetail, which sends that whole part (lists
// included) as the body of request object 3. When AsynchronousEvent is false the server's reply
// is unpacked back into the same part (fields overwritten, record lists replaced, integer lists
// appended to, set-flags untouched); when it is true (the default) no reply is read.
//
// Copying default-constructs both parts and then assigns, so a copy carries the contact detail
// but not the proxy's client name; assignment copies the contact detail only.
#ifndef STATCLIENT_CLIENT_TSTACONTACTDETAIL_H_
#define STATCLIENT_CLIENT_TSTACONTACTDETAIL_H_

#include "client/tstAServer.h"
#include "records/tstTContactDetail.h"

class AContactDetail : public TContactDetail, public AStatisticsServer {
public:
  AContactDetail();
  AContactDetail(const AContactDetail &other);
  AContactDetail &operator=(const AContactDetail &other);
  ~AContactDetail() override;

  // Sends the query and returns its result code: 0, the server's or the framework's code, or
  // 5709 when the reply cannot be unpacked (the object may then be partly overwritten).
  unsigned short QueryContactDetail();

protected:
  // Sends request object 3 with `replyFlag`; with a flag of 1 unpacks the reply into the
  // object. `*value` receives the reply header's 32-bit value, 0 when no reply was decoded.
  unsigned short SendRequest(long *value, unsigned char replyFlag);
};

#endif // STATCLIENT_CLIENT_TSTACONTACTDETAIL_H_
