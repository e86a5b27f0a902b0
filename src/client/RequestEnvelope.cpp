#include "client/RequestEnvelope.h"

#include "client/tstAServer.h"
#include "core/EventOwnership.h"

TRequestEnvelope::TRequestEnvelope(unsigned short object, unsigned long bodySize,
                                   bool sizeCountsHeader)
    : header_(kVersion, kRelease, 0, 0), bodySize_(bodySize) {
  header_.SetVersion(kVersion);
  header_.SetRelease(kRelease);
  header_.SetDataSize(sizeCountsHeader ? bodySize + TMsgRequestHdr::SizeOfRequestHdrObj()
                                       : bodySize);
  header_.SetObject(object);
}

TRequestEnvelope::~TRequestEnvelope() {
  if (!buffer_)
    return;
  pack_.reset();
  statcore::TraceLock lock;
  TMemory::FreeSomeMemory(buffer_, bufferLine_, bufferFile_, 0);
}

bool TRequestEnvelope::Open(unsigned short line, const char *file) {
  const unsigned long total = TMsgRequestHdr::SizeOfRequestHdrObj() + bodySize_;
  buffer_ = TMemory::GetSomeMemory(total, line, file);
  if (!buffer_)
    return false;
  bufferLine_ = line;
  bufferFile_ = file;
  pack_.emplace(1);
  pack_->SetBuffer(buffer_, total);
  *pack_ << header_;
  return true;
}

TRequestEnvelope::Outcome TRequestEnvelope::Send(TFramework &via, unsigned char replyFlag) {
  rpc_.emplace(kRpcType, static_cast<void *>(*pack_), pack_->Length(), replyFlag);
  if (!via.SendRPC(*rpc_, AStatisticsServer::serverName.c_str(), via.GetReplyQueue(), kTimeoutMs,
                   0)) {
    const auto code = static_cast<unsigned short>(TBase::fwBaseGetLastError() & 0xffff);
    return {false, code, code == kLastErrorNoServer ? kNoServer : code};
  }
  const auto code =
      static_cast<unsigned short>(static_cast<unsigned long>(rpc_->GetReturnCode()) & 0xffff);
  if (code != 0 || rpc_->GetReturnCode() != 0)
    return {false, code, code};
  return {true, 0, 0};
}
