// Request and reply headers of the generic server library.
//
// Wire layout (TPack encoding):
//   TMsgRequestHdr  version u16, release u16, data size u32, object u16, action u16  (12 bytes)
//   TMsgReplyHdr    return code u16, value i32                                      (6 bytes)
// The data size is whatever the sender sets; the header does not check it.
#ifndef STATCLIENT_PLATFORM_GENERICSERVER_TMSGREQUESTHDR_H_
#define STATCLIENT_PLATFORM_GENERICSERVER_TMSGREQUESTHDR_H_

class TPack;

class TMsgRequestHdr {
public:
  TMsgRequestHdr(unsigned short version = 0, unsigned short release = 0, unsigned short object = 0,
                 unsigned short action = 0);

  void SetVersion(unsigned short v) { version_ = v; }
  void SetRelease(unsigned short v) { release_ = v; }
  void SetDataSize(unsigned long size) { dataSize_ = static_cast<unsigned int>(size); }
  void SetObject(unsigned short v) { object_ = v; }
  void SetAction(unsigned short v) { action_ = v; }

  unsigned short GetVersion() const { return version_; }
  unsigned short GetRelease() const { return release_; }
  unsigned long GetDataSize() const { return dataSize_; }
  unsigned short GetObject() const { return object_; }
  unsigned short GetAction() const { return action_; }

  // Bytes the header takes in a pack.
  static unsigned long SizeOfRequestHdrObj() { return 12; }

private:
  unsigned short version_;
  unsigned short release_;
  unsigned int dataSize_ = 0;
  unsigned short object_;
  unsigned short action_;
};

TPack &operator<<(TPack &pack, const TMsgRequestHdr &header);
TPack &operator>>(TPack &pack, TMsgRequestHdr &header);

class TMsgReplyHdr {
public:
  TMsgReplyHdr() = default;
  TMsgReplyHdr(unsigned short returnCode, long returnValue)
      : returnCode_(returnCode), returnValue_(returnValue) {}

  unsigned short GetReturnCode() const { return returnCode_; }
  long GetReturnValue() const { return returnValue_; }

  static unsigned long SizeOfReplyHdrObj() { return 6; }

private:
  friend TPack &operator>>(TPack &pack, TMsgReplyHdr &header);
  unsigned short returnCode_ = 0;
  long returnValue_ = 0;
};

TPack &operator<<(TPack &pack, const TMsgReplyHdr &header);
TPack &operator>>(TPack &pack, TMsgReplyHdr &header);

#endif // STATCLIENT_PLATFORM_GENERICSERVER_TMSGREQUESTHDR_H_
