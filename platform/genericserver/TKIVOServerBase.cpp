#include "genericserver/TKIVOServerBase.h"

#include "framework/TPack.h"
#include "genericserver/TMsgRequestHdr.h"

TKIVOServerBase::TKIVOServerBase(int version, int release) : version_(version), release_(release) {}

TKIVOServerBase::TKIVOServerBase(const char *name, const char *secondName, unsigned short count,
                                 int version, int release)
    : TFramework(name, secondName, count), version_(version), release_(release) {}

TKIVOServerBase::~TKIVOServerBase() {
  if (!servedName_.empty())
    UnbindServer(servedName_);
}

TRpcReply TKIVOServerBase::ProcessMsg(const TRpcRequest &request) {
  TPack body(const_cast<unsigned char *>(request.data.data()),
             static_cast<unsigned long>(request.data.size()));
  TMsgRequestHdr header;
  try {
    body >> header;
  } catch (const TPackError &) {
    return TRpcReply{true, 0, kBadRequest, {}};
  }
  if (!onVersionCheck(header.GetVersion(), header.GetRelease()))
    return TRpcReply{true, 0, kBadRequest, {}};
  return onProcessMsg(header, body, request);
}

bool TKIVOServerBase::onVersionCheck(unsigned short version, unsigned short release) {
  return version == version_ && release == release_;
}

TRpcReply TKIVOServerBase::onProcessMsg(const TMsgRequestHdr &, TPack &, const TRpcRequest &) {
  return TRpcReply{true, 0, kBadRequest, {}};
}

void TKIVOServerBase::Serve(const std::string &name) {
  if (!servedName_.empty())
    UnbindServer(servedName_);
  servedName_ = name;
  BindServer(name, [this](const TRpcRequest &request) { return ProcessMsg(request); });
}
