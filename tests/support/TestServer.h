// A Statistics Server stand-in bound under a name for the life of the object: it records every
// request and answers each with the reply set last (by default: delivered, return code 0).
#ifndef STATCLIENT_TESTS_SUPPORT_TESTSERVER_H_
#define STATCLIENT_TESTS_SUPPORT_TESTSERVER_H_

#include <mutex>
#include <string>
#include <vector>

#include "framework/TFramework.h"
#include "framework/TPack.h"
#include "genericserver/TMsgRequestHdr.h"

class TestServer {
public:
  explicit TestServer(std::string name) : name_(std::move(name)) {
    TFramework::BindServer(name_, [this](const TRpcRequest &request) {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request);
      return reply_;
    });
  }
  ~TestServer() { TFramework::UnbindServer(name_); }
  TestServer(const TestServer &) = delete;
  TestServer &operator=(const TestServer &) = delete;

  void ReplyWith(TRpcReply reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    reply_ = std::move(reply);
  }
  std::vector<TRpcRequest> Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

private:
  std::string name_;
  mutable std::mutex mutex_;
  TRpcReply reply_;
  std::vector<TRpcRequest> requests_;
};

// A request's bytes split into its header and body.
struct SplitRequest {
  TMsgRequestHdr header;
  std::vector<unsigned char> body;
};
inline SplitRequest Split(const TRpcRequest &request) {
  SplitRequest split;
  TPack pack(const_cast<unsigned char *>(request.data.data()),
             static_cast<unsigned long>(request.data.size()));
  pack >> split.header;
  const auto *rest = static_cast<const unsigned char *>(pack.Contents());
  split.body.assign(rest, rest + pack.Length());
  return split;
}

// The bytes that `fill` packs into an owning pack.
template <typename Fill> std::vector<unsigned char> PackedBytes(Fill fill) {
  TPack pack(1);
  fill(pack);
  const auto *start = static_cast<const unsigned char *>(static_cast<void *>(pack));
  return std::vector<unsigned char>(start, start + pack.Length());
}

#endif // STATCLIENT_TESTS_SUPPORT_TESTSERVER_H_
