// Shared by the suites of the contact records and services: a fixture with a bound test server
// that every proxy sends to, and byte helpers for records.
#ifndef STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_
#define STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_

#include <gtest/gtest.h>

#include <vector>

#include "client/tstAServer.h"
#include "framework/TMemory.h"
#include "support/TestServer.h"

// Binds a test server under `Name` and makes it the destination of every request.
template <const char *Name> class BoundServerTest : public ::testing::Test {
protected:
  void TearDown() override { TMemory::SetFaultPlan({}); }

  TestServer server_{Name};
  AStatisticsServer proxy_{Name, "client", "second"};
};

// The packed form of `record`.
template <typename Record> std::vector<unsigned char> Bytes(const Record &record) {
  return PackedBytes([&](TPack &p) { p << record; });
}

// Checks what the server received: reply flag, header values and body.
inline void ExpectRequest(const TRpcRequest &request, unsigned char replyFlag,
                          unsigned short object, unsigned short action, unsigned long dataSize,
                          const std::vector<unsigned char> &body) {
  EXPECT_EQ(request.replyFlag, replyFlag);
  const SplitRequest split = Split(request);
  EXPECT_EQ(split.header.GetObject(), object);
  EXPECT_EQ(split.header.GetAction(), action);
  EXPECT_EQ(split.header.GetDataSize(), dataSize);
  EXPECT_EQ(split.body, body);
}

// Unpacks `bytes` into `record`.
template <typename Record> void UnpackBytes(std::vector<unsigned char> bytes, Record &record) {
  TPack pack(bytes.data(), static_cast<unsigned long>(bytes.size()));
  pack >> record;
}

#endif // STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_
