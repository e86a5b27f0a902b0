#include "support/TestServer.h"

#include <gtest/gtest.h>

TestServer::TestServer(std::string name) : name_(std::move(name)) {
  TFramework::BindServer(name_, [this](const TRpcRequest &request) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
    return reply_;
  });
}

TestServer::~TestServer() { TFramework::UnbindServer(name_); }

void TestServer::ReplyWith(TRpcReply reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  reply_ = std::move(reply);
}

std::vector<TRpcRequest> TestServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

TRpcRequest TestServer::OnlyRequest() const {
  std::vector<TRpcRequest> requests = Requests();
  EXPECT_EQ(requests.size(), 1u);
  return requests.empty() ? TRpcRequest{} : requests.front();
}

SplitRequest Split(const TRpcRequest &request) {
  SplitRequest split;
  TPack pack(const_cast<unsigned char *>(request.data.data()),
             static_cast<unsigned long>(request.data.size()));
  pack >> split.header;
  const auto *rest = static_cast<const unsigned char *>(pack.Contents());
  split.body.assign(rest, rest + pack.Length());
  return split;
}
