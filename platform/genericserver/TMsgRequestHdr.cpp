#include "genericserver/TMsgRequestHdr.h"

#include "framework/TPack.h"

TMsgRequestHdr::TMsgRequestHdr(unsigned short version, unsigned short release,
                               unsigned short object, unsigned short action)
    : version_(version), release_(release), object_(object), action_(action) {}

TPack &operator<<(TPack &pack, const TMsgRequestHdr &header) {
  return pack << header.GetVersion() << header.GetRelease()
              << static_cast<unsigned int>(header.GetDataSize()) << header.GetObject()
              << header.GetAction();
}

TPack &operator>>(TPack &pack, TMsgRequestHdr &header) {
  // Read whole before anything is stored, so a short header leaves `header` unchanged.
  if (!pack.CanRemove(TMsgRequestHdr::SizeOfRequestHdrObj()))
    throw TPackError("short request header", TMsgRequestHdr::SizeOfRequestHdrObj(), pack.Length(),
                     pack.StartOffset());
  unsigned short version, release, object, action;
  unsigned int dataSize;
  pack >> version >> release >> dataSize >> object >> action;
  header = TMsgRequestHdr(version, release, object, action);
  header.SetDataSize(dataSize);
  return pack;
}

TPack &operator<<(TPack &pack, const TMsgReplyHdr &header) {
  return pack << header.GetReturnCode() << header.GetReturnValue();
}

TPack &operator>>(TPack &pack, TMsgReplyHdr &header) {
  if (!pack.CanRemove(TMsgReplyHdr::SizeOfReplyHdrObj()))
    throw TPackError("short reply header", TMsgReplyHdr::SizeOfReplyHdrObj(), pack.Length(),
                     pack.StartOffset());
  return pack >> header.returnCode_ >> header.returnValue_;
}
