// TKIVOServerBase: the base of every object that speaks the generic server protocol.
//
// As a client base it is a TFramework object carrying the protocol version and release it
// speaks. As a server base, ProcessMsg reads the request header from a call, asks
// onVersionCheck, and hands the header and the body to onProcessMsg; Serve binds the object
// under a name so that calls reach ProcessMsg. A request whose header cannot be read, or whose
// version is refused, is answered with return code kBadRequest without reaching onProcessMsg.
#ifndef STATCLIENT_PLATFORM_GENERICSERVER_TKIVOSERVERBASE_H_
#define STATCLIENT_PLATFORM_GENERICSERVER_TKIVOSERVERBASE_H_

#include <string>

#include "framework/TFramework.h"

class TPack;
class TMsgRequestHdr;

class TKIVOServerBase : public TFramework {
public:
  static constexpr long kBadRequest = 5001;

  TKIVOServerBase(int version, int release);
  TKIVOServerBase(const char *name, const char *secondName, unsigned short count, int version,
                  int release);
  ~TKIVOServerBase() override;

  TRpcReply ProcessMsg(const TRpcRequest &request) override;
  // True when the server accepts requests of this version and release; by default only its own.
  virtual bool onVersionCheck(unsigned short version, unsigned short release);
  // Handles one request; `body` is positioned after the header. By default answers kBadRequest.
  virtual TRpcReply onProcessMsg(const TMsgRequestHdr &header, TPack &body,
                                 const TRpcRequest &request);

  int GetProtocolVersion() const { return version_; }
  int GetProtocolRelease() const { return release_; }

  // Binds this object under `name` until it is destroyed or Serve is called again.
  void Serve(const std::string &name);

private:
  int version_;
  int release_;
  std::string servedName_;
};

#endif // STATCLIENT_PLATFORM_GENERICSERVER_TKIVOSERVERBASE_H_
