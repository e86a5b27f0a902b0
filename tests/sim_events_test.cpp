// Subscribing to the simulator: every id of the event table yields payloads that decode into its
// class; cumulative ids follow their refresh rate; the user real-time event honours
// include-logged-off-users.
#include <gtest/gtest.h>

#include <statclient/statclient.h>
#include <statsim/EventPublisher.h>
#include <statsim/Simulator.h>
#include <statsupport/DiscardingSink.h>
#include <statsupport/EventTable.h>

namespace {

constexpr char kServer[] = "SimEventsTestServer";

using Id = TStatisticsServer::enSvrPublicEvents;

// A simulator and a subscribed client of it.
struct Subscription {
  explicit Subscription(int id, bool includeLoggedOff = false) {
    proxy.SetIncludeLoggedOffUsers(includeLoggedOff);
    TEvent registration(static_cast<unsigned short>(id));
    EXPECT_TRUE(proxy.RegisterForEvent(registration, kServer, 5000, 0));
    EXPECT_EQ(proxy.RequestEvent(static_cast<Id>(id)), 0);
  }
  // Ticks until an event arrives or `ticks` have passed; the ticks taken, 0 when none came.
  int TicksUntilEvent(int ticks, TEvent &event) {
    for (int tick = 1; tick <= ticks; ++tick) {
      sim.Tick();
      if (proxy.WaitForEvent(event, 0))
        return tick;
    }
    return 0;
  }
  statsim::Simulator sim{kServer, 3};
  AStatisticsServer proxy{kServer, "simtest", "simtest"};
};

class SimEvents : public ::testing::TestWithParam<statsupport::EventEntry> {};

TEST_P(SimEvents, SubscribedIdDecodesIntoItsClassInFull) {
  const statsupport::EventEntry &entry = GetParam();
  Subscription subscription(entry.id);
  TEvent event;
  const int ticks = subscription.TicksUntilEvent(statsim::Simulator::kDefaultRefreshTicks, event);
  ASSERT_NE(ticks, 0) << "no event";
  EXPECT_EQ(ticks, statsim::IsCumulative(entry.id) ? statsim::Simulator::kDefaultRefreshTicks : 1);
  EXPECT_EQ(event.GetId(), entry.id);

  statsupport::DiscardingSink sink;
  const statsupport::DecodeResult decoded =
      entry.decode(event.GetData(), event.GetDataSize(), sink);
  // Waiting contacts and callbacks come and go, so their lists may be empty on the first tick.
  if (entry.id != TStatisticsServer::CONTACTREALTIMEEVENT &&
      entry.id != TStatisticsServer::CALLBACKREALTIMEEVENT) {
    EXPECT_GT(decoded.records, 0u);
  }
  EXPECT_EQ(decoded.consumed, event.GetDataSize());
  EXPECT_TRUE(entry.selfCheck(event.GetData(), event.GetDataSize()));
}

INSTANTIATE_TEST_SUITE_P(EveryTableId, SimEvents,
                         ::testing::ValuesIn(statsupport::begin(), statsupport::end()),
                         [](const auto &info) { return std::string(info.param.eventName); });

TEST(SimEventsRate, CumulativeIdsFollowTheirRefreshRate) {
  Subscription subscription(TStatisticsServer::QUEUECUMULATIVEEVENT);
  ASSERT_EQ(subscription.proxy.SetCumulativeRefreshRate(
                TStatisticsServer::QUEUECUMULATIVEEVENT,
                static_cast<TStatisticsServer::enCumulativeRefreshRate>(2)),
            0);
  TEvent event;
  EXPECT_EQ(subscription.TicksUntilEvent(10, event), 2);
  EXPECT_EQ(subscription.TicksUntilEvent(10, event), 2);
}

// Without the flag only logged-on users come; a logged-off user is always offline.
TEST(SimEventsUsers, LoggedOffUsersComeOnlyWhenAskedFor) {
  const auto usersAfterOneTick = [](bool includeLoggedOff) {
    Subscription subscription(TStatisticsServer::USERREALTIMEEVENT, includeLoggedOff);
    TEvent event;
    EXPECT_EQ(subscription.TicksUntilEvent(1, event), 1);
    TUserRealTimeEvent users;
    TPack pack(event.GetData(), event.GetDataSize());
    pack >> users;
    for (const auto *user : users.EventDataList) {
      const bool loggedOff = user->RS == TpsTRoutingState::ROUTING_LOGGEDOFF;
      EXPECT_EQ(loggedOff, user->Pres == TpsTPresenceState::PRESENCE_OFFLINE);
      EXPECT_TRUE(includeLoggedOff || !loggedOff);
    }
    return users.EventDataList.size();
  };
  const std::size_t loggedOn = usersAfterOneTick(false);
  EXPECT_EQ(usersAfterOneTick(true), 6u);
  EXPECT_LT(loggedOn, 6u);
  EXPECT_GT(loggedOn, 0u);
}

TEST(SimEventsModel, SameSeedSameEvents) {
  const auto payloads = [](std::uint32_t seed) {
    statsim::ContactCenterModel model(seed);
    std::vector<std::vector<unsigned char>> out;
    for (int step = 0; step < 20; ++step) {
      model.Advance();
      out.push_back(statsim::PackEvent(TStatisticsServer::QUEUEREALTIMEEVENT, model, false));
      out.push_back(statsim::PackEvent(TStatisticsServer::USERREALTIMEEVENT, model, true));
    }
    return out;
  };
  EXPECT_EQ(payloads(9), payloads(9));
  EXPECT_NE(payloads(9), payloads(10));
}

} // namespace
