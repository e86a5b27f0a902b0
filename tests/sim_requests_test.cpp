// The simulator's answers to every request object, through the library's own request classes,
// and its return codes for requests it cannot serve.
#include <gtest/gtest.h>

#include <tuple>

#include <statclient/statclient.h>
#include <statsim/Simulator.h>

#include "ContactTestSupport.h"

namespace {

constexpr char kServer[] = "SimRequestsTestServer";

class SimRequests : public ::testing::Test {
protected:
  statsim::Simulator sim_{kServer};
  AStatisticsServer proxy_{kServer, "simtest", "simtest"};
};

// Error records are kept, each as it was sent; contact-log updates read back fresh keys, the
// other actions are kept; a synchronous contact-detail query comes back filled from the model.
TEST_F(SimRequests, ServesEveryRequestObject) {
  AErrorRecord error;
  error.SetType(2);
  error.SetRetCode(-7);
  error.SetModuleName("billing");
  error.SetErrorText("disk full");
  error.SetErrorTime(Stamp(3, 14));
  ASSERT_EQ(error.WriteRecord(), 0);
  const Bytes first = Packed<TErrorRecord>(error);
  error.SetErrorText("second");
  ASSERT_EQ(error.WriteRecord(), 0);
  const std::vector<TErrorRecord> arrived = sim_.ErrorRecords();
  ASSERT_EQ(arrived.size(), 2u);
  EXPECT_EQ(Packed(arrived[0]), first);
  EXPECT_EQ(Packed(arrived[1]), Packed<TErrorRecord>(error));

  AContactLog log;
  log.RecordKey = 5;
  ASSERT_EQ(log.UpdateContactLogSummary(), 0);
  const long key = log.RecordKey;
  ASSERT_EQ(log.UpdateContactLogSummary(), 0);
  EXPECT_NE(key, 5);
  EXPECT_EQ(log.RecordKey, key + 1);
  EXPECT_EQ(sim_.ContactLogUpdates(), 2);
  log.AgentKey = 42;
  EXPECT_EQ(log.QueryContactLogSummary(), 0);
  EXPECT_EQ(log.DeleteContactLogSummary(static_cast<TEventDataContactLog::enContactLogActions>(2)),
            0);
  const auto kept = sim_.ContactLogRequests();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].AgentKey, 42);
  EXPECT_EQ(kept[1].RecordKey, key + 1);

  AContactDetail detail;
  detail.SetContactFrom("555-0100");
  detail.SetAsynchronousEvent(0);
  ASSERT_EQ(detail.QueryContactDetail(), 0);
  EXPECT_EQ(std::make_tuple(detail.GetDescription(), detail.GetQueueKey(), detail.GetContactFrom()),
            std::make_tuple("simulated contact", 2000, "555-0100"));
}

TEST_F(SimRequests, UnservableRequestsGetTheirDocumentedCodesAndChangeNothing) {
  struct Case {
    const char *what;
    unsigned short version, object, action;
    std::vector<unsigned char> body;
    long code;
  } cases[] = {
      {"version 10", 10, 1, 0, {}, TKIVOServerBase::kBadRequest},
      {"truncated error record", 11, 1, 0, {1, 2, 3}, statsim::Simulator::kUndecodableBody},
      {"empty contact detail", 11, 3, 0, {}, statsim::Simulator::kUndecodableBody},
      {"truncated update", 11, 2, 3, {9}, statsim::Simulator::kUndecodableBody},
      {"object 9", 11, 9, 0, {}, statsim::Simulator::kUnknownObject},
      {"contact-log action 7", 11, 2, 7, {}, statsim::Simulator::kUnknownObject},
      {"connection event", 11, 4, 0,
       PackedBytes([](TPack &pack) { pack << 5000 << std::string("client"); }),
       statsim::Simulator::kUnservedEvent},
      {"real-time refresh rate", 11, 5, 0, PackedBytes([](TPack &pack) { pack << 5006 << 3; }),
       statsim::Simulator::kUnservedEvent},
      {"zero refresh rate", 11, 5, 0, PackedBytes([](TPack &pack) { pack << 5010 << 0; }),
       statsim::Simulator::kUndecodableBody},
  };
  for (const Case &c : cases) {
    // A raw request: header fields and body bytes chosen by the case.
    Bytes bytes = PackedBytes([&](TPack &pack) {
      TMsgRequestHdr header(c.version, 0, c.object, c.action);
      header.SetDataSize(c.body.size());
      pack << header;
    });
    bytes.insert(bytes.end(), c.body.begin(), c.body.end());
    TRPC rpc(5000, bytes.data(), bytes.size(), 1);
    EXPECT_TRUE(proxy_.SendRPC(rpc, kServer, 5000, 0)) << c.what;
    EXPECT_EQ(rpc.GetReturnCode(), c.code) << c.what;
  }
  EXPECT_TRUE(sim_.ErrorRecords().empty());
  EXPECT_EQ(sim_.ContactLogUpdates(), 0);
  EXPECT_TRUE(sim_.SubscribedEvents().empty());
  EXPECT_EQ(proxy_.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 0);
}

// Every code a request can return has words of its own; any other is the server's, passed on.
TEST(ResultCodeText, NamesKnownCodesAndSaysTheRestArePassedThrough) {
  const auto passedThrough = [](unsigned long code) {
    return std::to_string(code) + ": a code of the server's own, passed through from it";
  };
  for (unsigned long code : {0, 5709, 5715, 5737, 5001, 32771, 32772, 32773}) {
    EXPECT_EQ(ResultCodeText(code).rfind(std::to_string(code) + ": ", 0), 0u) << code;
    EXPECT_NE(ResultCodeText(code), passedThrough(code));
  }
  for (unsigned long code : {1, 5101, 65535})
    EXPECT_EQ(ResultCodeText(code), passedThrough(code));
}

} // namespace
