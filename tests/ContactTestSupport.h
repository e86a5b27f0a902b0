// Shared by the suites of the contact records and services: a fixture with a bound test server
// that every proxy sends to, and byte, exception and copy helpers.
#ifndef STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_
#define STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "client/tstAServer.h"
#include "framework/TTimeStamp.h"
#include "support/DiagCapture.h"
#include "support/TestServer.h"

// Binds a test server under `Name` and makes it the destination of every request.
template <const char *Name> class BoundServerTest : public ::testing::Test {
protected:
  TestServer server_{Name};
  AStatisticsServer proxy_{Name, "client", "second"};
};

// A time stamp in 2026 on `day` at `hour`.
inline TTimeStamp Stamp(unsigned short day, unsigned short hour = 0) {
  TTimeStamp stamp(1);
  stamp.SetYear(2026);
  stamp.SetDay(day);
  stamp.SetHour(hour);
  return stamp;
}

// Texts packed one after the other: `pack << Texts{"a", "b"}`.
struct Texts {
  Texts(std::initializer_list<std::string> list) : items(list) {}
  std::vector<std::string> items;
};
inline TPack &operator<<(TPack &pack, const Texts &texts) {
  for (const std::string &text : texts.items)
    pack << text;
  return pack;
}

// The packed form of `record`.
template <typename Record> std::vector<unsigned char> Bytes(const Record &record) {
  return PackedBytes([&](TPack &p) { p << record; });
}

// Unpacks `bytes` into `record`.
template <typename Record> void UnpackBytes(std::vector<unsigned char> bytes, Record &record) {
  TPack pack(bytes.data(), static_cast<unsigned long>(bytes.size()));
  pack >> record;
}

// Every proper prefix of `bytes` fails to unpack with TPackError (the sanitizer build checks
// that nothing leaks on the way out).
template <typename Record> void ExpectEveryPrefixFails(const std::vector<unsigned char> &bytes) {
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    Record target;
    EXPECT_THROW(UnpackBytes({bytes.begin(), bytes.begin() + length}, target), TPackError)
        << length;
  }
}

// `call` throws `Error` whose what() is `what`.
template <typename Error, typename Call> void ExpectThrowWhat(Call call, const char *what) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const Error &error) {
    EXPECT_STREQ(error.what(), what);
  }
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

// A copy or an assignment of a request object takes the record part of `source` (as `sameRecord`
// judges it) and nothing of its proxy; the copy is a fresh, unnamed proxy.
template <typename Request, typename SameRecord>
void ExpectRecordOnlyCopies(Request &source, SameRecord sameRecord) {
  source.SetIncludeLoggedOffUsers(true);
  DiagCapture diag;
  Request copy(source);
  EXPECT_EQ(diag.Texts(),
            (std::vector<std::string>{"TStatisticsServer::TStatisticsServer: Created object",
                                      "AStatisticsServer::AStatisticsServer: Created object"}));
  EXPECT_EQ(copy.GetClientName(), "");
  Request assigned;
  assigned = source;
  for (const Request *made : {&copy, &assigned}) {
    EXPECT_TRUE(sameRecord(*made));
    EXPECT_FALSE(made->GetIncludeLoggedOffUsers());
  }
}

#endif // STATCLIENT_TESTS_CONTACTTESTSUPPORT_H_
