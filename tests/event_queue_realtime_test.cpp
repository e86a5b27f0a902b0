// Texts, wire layouts and the fields after the list of the queue real-time event and its
// records.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "event_cases.h"

namespace {

const std::string kZero = TTimeStamp(1).GetTime(1, ':', '.');

TEventDataQueueRealTime *AddQueue(TQueueRealTimeEvent &event, long qk) {
  TEventDataQueueRealTime *record = AddRecord(event);
  record->QK = qk;
  return record;
}

TEventDataSiteStatistics Site() {
  TEventDataSiteStatistics site;
  site.Ans = 7;
  site.SL = 12.5f;
  site.EstSL = 80.25f;
  site.EstWT = 3.5f;
  site.WT = Span(0, 0, 0, 9, 4);
  return site;
}

TEST(QueueRealTimeText, MediumLetterStandsInsideTheQKLabel) {
  TEventDataQueueRealTime queue;
  queue.QK = 17;
  queue.Medium = TSMEnum::MEDIUM_EMAIL;
  EXPECT_EQ(queue.ToString().substr(0, 10), "{QK(E):17,");
  queue.Medium = TSMEnum::MEDIUM_OPENMEDIA;
  EXPECT_EQ(queue.ToString().substr(0, 10), "{QK(U):17,");

  const std::string letters[] = {"U", "U", "T", "C", "E", "W", "U", "U"};
  for (int medium = -1; medium <= 6; ++medium)
    EXPECT_EQ(queue.ToString(static_cast<TSMEnum::MEDIUM>(medium)), letters[medium + 1]) << medium;
}

TEST(QueueRealTimeText, ShiftBlockBeforeSampleBlockAndFloatsInTheDefaultFormat) {
  TEventDataQueueRealTime queue;
  EXPECT_EQ(queue.ToString(), "{QK(U):0, BU:0, CIQ:0, CO:0, Shf:{Rec:0, Rec NI:0, Ans:0, WT:" +
                                  kZero + ", Abd:0, WT:" + kZero +
                                  ", Red:0, Red NO:0, SL:0, AR:100}, Samp:{ SL:0, AnsR:0, AbdR:0, "
                                  "AnsAvg:0, AbdAvg:0, OWT:" +
                                  kZero + "}, Est:{SL:0, WT:" + kZero + "}}");
  EXPECT_EQ(TEventDataSiteStatistics().ToString(),
            "{Ans:0, WT:" + kZero + ", SL:100, EstSL:100, EstWT:0}");
  EXPECT_EQ(Site().ToString(), "{Ans:7, WT:00:00:09.004, SL:12.5, EstSL:80.25, EstWT:3.5}");

  TEventDataShiftStatistics shift;
  Distinct(0, shift.Rec, shift.Ans, shift.Abd, shift.Red, shift.RecNI, shift.RedNO);
  shift.SL = 99.5f;
  shift.AR = 0.125f;
  shift.WTAns = Span(0, 0, 0, 10, 0);
  shift.WTAbd = Span(0, 0, 0, 20, 0);
  EXPECT_EQ(shift.ToString(), "{Rec:1, Rec NI:5, Ans:2, WT:00:00:10.000, Abd:3, WT:00:00:20.000, "
                              "Red:4, Red NO:6, SL:99.5, AR:0.125}");
}

TEST(QueueRealTimeWire, RecordPacksItsBlocksSampleShiftEstimatedInTableOrder) {
  TEventDataQueueRealTime queue;
  queue.Medium = TSMEnum::MEDIUM_WEB;
  Distinct(0, queue.QK, queue.BU, queue.CIQ, queue.CO);
  Distinct(0, queue.Samp.SL, queue.Samp.AnsR, queue.Samp.AbdR, queue.Samp.AnsAvg,
           queue.Samp.AbdAvg);
  Distinct(1, queue.Shf.Rec, queue.Shf.Ans, queue.Shf.Abd, queue.Shf.Red, queue.Shf.RecNI,
           queue.Shf.RedNO);
  Distinct(2, queue.Shf.SL, queue.Shf.AR, queue.Shf.AuxValue, queue.Est.SL);
  Distinct(0, queue.Samp.OWT, queue.Shf.WTAns, queue.Shf.WTAbd, queue.Est.WT);
  queue.LocalValue = 24;

  const Bytes bytes = Packed(queue);
  EXPECT_EQ(bytes, PackedBytes([&](TPack &p) {
              p << 1L << queue.Medium << 2L << 3L << 4L << 1.0f << 2.0f << 3.0f << 4.0f << 5.0f;
              PackSpan(p, 1, 1);
              p << 101L << 102L << 103L << 104L << 105L << 106L << 201.0f << 202.0f;
              PackSpan(p, 2, 2);
              PackSpan(p, 3, 3);
              p << 203.0f << 204.0f;
              PackSpan(p, 4, 4);
            }));

  // The record's 16-bit value stays on this side, but copies carry it.
  TEventDataQueueRealTime decoded;
  decoded.LocalValue = 9;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.Shf.AuxValue, 203.0f);
  EXPECT_EQ(decoded.LocalValue, 9);
  EXPECT_EQ(TEventDataQueueRealTime(queue).LocalValue, 24);
}

TEST(QueueRealTimeEvent, FieldsAfterTheListTravelWhateverTheCount) {
  TQueueRealTimeEvent source;
  source.SiteStatistics = Site();
  source.TrailerValue = 0xBEEF;
  AddQueue(source, 5);
  EXPECT_EQ(Packed(source), PackedBytes([&](TPack &p) {
              p << 1 << *source.EventDataList[0] << 7L << 12.5f << 80.25f << 3.5f;
              PackSpan(p, 9, 4);
              p << static_cast<unsigned short>(0xBEEF);
            }));

  const auto live = TMemory::LiveRegistrations();
  for (int count : {0, -1, INT_MIN}) {
    SCOPED_TRACE(count);
    TQueueRealTimeEvent event;
    AddQueue(event, 1);
    const Bytes payload =
        PackedBytes([&](TPack &p) { p << count << Site() << static_cast<unsigned short>(4242); });
    EXPECT_EQ(UnpackInto(payload, event), 0u);
    EXPECT_TRUE(event.EventDataList.empty());
    EXPECT_EQ(Packed(event.SiteStatistics), Packed(Site()));
    EXPECT_EQ(event.TrailerValue, 4242);
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
  }
}

TEST(QueueRealTimeEvent, AssignmentCarriesTheFieldsAfterTheList) {
  TQueueRealTimeEvent source;
  source.SiteStatistics = Site();
  source.TrailerValue = 77;
  AddQueue(source, 1)->LocalValue = 11;
  TQueueRealTimeEvent target;
  AddQueue(target, 8);
  target = source;
  EXPECT_EQ(Packed(target), Packed(source));
  EXPECT_EQ(target.EventDataList.at(0)->LocalValue, 11);
}

} // namespace
