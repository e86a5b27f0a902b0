// Text and wire layout of the monitored destination cumulative row, and its event's time stamp.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

// Keeps the texts a walk gives, with their keys.
struct TextSink : TFieldSink {
  std::vector<std::pair<std::string, std::string>> texts;
  void Integer(std::string_view, long long) override {}
  void Real(std::string_view, double) override {}
  void Boolean(std::string_view, bool) override {}
  void Text(std::string_view key, std::string_view value) override {
    texts.emplace_back(key, value);
  }
  void BeginObject(std::string_view) override {}
  void EndObject() override {}
  void BeginArray(std::string_view) override {}
  void EndArray() override {}
};

TEST(DestinationCumulativeRecord, DefaultText) {
  EXPECT_EQ(TEventDataDestinationCumulative().ToString(),
            "{QK:0, SiteK:0, BU:0, Ans:0, Abd:0, Disconnected:0, ReQ:0, AutoHandledEmail:0, "
            "Recv[All,NetIn]:[0,0], ReDirect[OOS,NetOut]:[0,0], Interval[Start,End]:[0,0], "
            "TotalTime[Wait,Contact,PostP]:[" +
                kZeroTime + "," + kZeroTime + "," + kZeroTime +
                "], Addi[Contact,PostP]:[0,0], PeriodStartGMT:" + kZeroTime + ", Period:0}");
}

// The counts travel in table order, Addi before the TotalTime durations; the text shows the
// single counts first and TotalTime before Addi.
TEST(DestinationCumulativeRecord, TextOrderDiffersFromPackOrder) {
  TEventDataDestinationCumulative row;
  row.QK = 1;
  row.SiteK = 2;
  row.BU = 3;
  row.Recv[0] = 7; // All, fourth on the wire
  row.Recv[1] = 5;
  row.Ans = 4; // sixth on the wire
  row.Abd = 6;
  row.ReDirect[0] = 8;
  row.ReDirect[1] = 9;
  row.Disconnected = 10;
  row.ReQ = 11;
  row.Interval[0] = 12;
  row.Interval[1] = 13;
  row.AutoHandledEmail = 14;
  row.Addi[0] = 15;
  row.Addi[1] = 16;
  row.TotalTime[0] = Span(0, 0, 0, 1, 0);
  row.TotalTime[1] = Span(0, 0, 1, 0, 0);
  row.TotalTime[2] = Span(0, 1, 0, 0, 2);
  row.PeriodStartGMT = PeriodInstant();
  row.Period = -3;

  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              p << 1L << 2L << 3L << 7L << 5L << 4L << 6L << 8L << 9L << 10L << 11L << 12L << 13L
                << 14L << 15L << 16L;
              PackSpan(p, 1);
              PackSpan(p, 60);
              PackSpan(p, 3600, 2);
              p << PeriodInstant() << short{-3};
            }));
  EXPECT_EQ(row.ToString(),
            "{QK:1, SiteK:2, BU:3, Ans:4, Abd:6, Disconnected:10, ReQ:11, AutoHandledEmail:14, "
            "Recv[All,NetIn]:[7,5], ReDirect[OOS,NetOut]:[8,9], Interval[Start,End]:[12,13], "
            "TotalTime[Wait,Contact,PostP]:[00:00:01.000,00:01:00.000,01:00:00.002], "
            "Addi[Contact,PostP]:[15,16], PeriodStartGMT:08:30:15.250, Period:-3}");

  TEventDataDestinationCumulative decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.PeriodStartGMT, PeriodInstant());
  EXPECT_EQ(decoded.ToString(), row.ToString());

  // The structured walk keeps the date of the period's start.
  TextSink sink;
  WalkFields(row, sink);
  EXPECT_EQ(sink.texts, (std::vector<std::pair<std::string, std::string>>{
                            {"", "00:00:01.000"},
                            {"", "00:01:00.000"},
                            {"", "01:00:00.002"},
                            {"PeriodStartGMT", "2024/05/06 08:30:15.250"}}));
}

} // namespace
