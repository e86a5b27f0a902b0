// Texts, wire layouts, the fields after the list and the release order of the queue real-time
// event and its records.
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <statclient/statclient.h>

#include "pack_bytes.h"
#include "support/DiagCapture.h"
#include "support/Spans.h"

namespace {

const char *const kSource = "EventData/tstTEventDataQueueRealTime";

const std::string kZero = TTimeStamp(1).GetTime(1, ':', '.');

TEventDataQueueRealTime *AddRecord(TQueueRealTimeEvent &event, long qk) {
  auto *record = new (__LINE__, "event_queue_realtime_test", nullptr) TEventDataQueueRealTime();
  TMemory::MemReg(__LINE__, "event_queue_realtime_test", record, sizeof(*record));
  record->QK = qk;
  event.EventDataList.push_back(record);
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

// ---------------------------------------------------------------------------------------------
// Texts.

TEST(QueueRealTimeText, MediumLetterStandsInsideTheQKLabel) {
  TEventDataQueueRealTime queue;
  queue.QK = 17;
  queue.Medium = TSMEnum::MEDIUM_EMAIL;
  EXPECT_EQ(queue.ToString().substr(0, 10), "{QK(E):17,");
  queue.Medium = TSMEnum::MEDIUM_OPENMEDIA;
  EXPECT_EQ(queue.ToString().substr(0, 10), "{QK(U):17,");

  const std::string letters[] = {"U", "U", "T", "C", "E", "W", "U", "U"};
  for (int medium = -1; medium <= 6; ++medium) {
    EXPECT_EQ(queue.ToString(static_cast<TSMEnum::MEDIUM>(medium)), letters[medium + 1]) << medium;
  }
  EXPECT_EQ(queue.Medium, TSMEnum::MEDIUM_OPENMEDIA);
}

TEST(QueueRealTimeText, DefaultRecordWritesTheShiftBlockBeforeTheSampleBlock) {
  TEventDataQueueRealTime queue;
  EXPECT_EQ(queue.ToString(), "{QK(U):0, BU:0, CIQ:0, CO:0, Shf:{Rec:0, Rec NI:0, Ans:0, WT:" +
                                  kZero + ", Abd:0, WT:" + kZero +
                                  ", Red:0, Red NO:0, SL:0, AR:100}, Samp:{ SL:0, AnsR:0, AbdR:0, "
                                  "AnsAvg:0, AbdAvg:0, OWT:" +
                                  kZero + "}, Est:{SL:0, WT:" + kZero + "}}");

  TEventDataSiteStatistics site;
  EXPECT_EQ(site.ToString(), "{Ans:0, WT:" + kZero + ", SL:100, EstSL:100, EstWT:0}");
}

TEST(QueueRealTimeText, FieldsInTheirOwnOrderAndFloatsInTheDefaultFormat) {
  EXPECT_EQ(Site().ToString(), "{Ans:7, WT:00:00:09.004, SL:12.5, EstSL:80.25, EstWT:3.5}");

  TEventDataShiftStatistics shift;
  shift.Rec = 1;
  shift.Ans = 2;
  shift.Abd = 3;
  shift.Red = 4;
  shift.RecNI = 5;
  shift.RedNO = 6;
  shift.SL = 99.5f;
  shift.AR = 0.125f;
  shift.WTAns = Span(0, 0, 0, 10, 0);
  shift.WTAbd = Span(0, 0, 0, 20, 0);
  shift.AuxValue = 42.0f;
  EXPECT_EQ(shift.ToString(), "{Rec:1, Rec NI:5, Ans:2, WT:00:00:10.000, Abd:3, WT:00:00:20.000, "
                              "Red:4, Red NO:6, SL:99.5, AR:0.125}");
}

// ---------------------------------------------------------------------------------------------
// Wire layouts, against bytes written with the framework's own packers.

TEST(QueueRealTimeWire, RecordPacksItsBlocksSampleShiftEstimatedInTableOrder) {
  TEventDataQueueRealTime queue;
  queue.QK = 1;
  queue.Medium = TSMEnum::MEDIUM_WEB;
  queue.BU = 2;
  queue.CIQ = 3;
  queue.CO = 4;
  queue.Samp.SL = 5.5f;
  queue.Samp.AnsR = 6.5f;
  queue.Samp.AbdR = 7.5f;
  queue.Samp.AnsAvg = 8.5f;
  queue.Samp.AbdAvg = 9.5f;
  queue.Samp.OWT = Span(0, 0, 0, 10, 1);
  queue.Shf.Rec = 11;
  queue.Shf.Ans = 12;
  queue.Shf.Abd = 13;
  queue.Shf.Red = 14;
  queue.Shf.RecNI = 15;
  queue.Shf.RedNO = 16;
  queue.Shf.SL = 17.5f;
  queue.Shf.AR = 18.5f;
  queue.Shf.WTAns = Span(0, 0, 0, 19, 2);
  queue.Shf.WTAbd = Span(0, 0, 0, 20, 3);
  queue.Shf.AuxValue = 21.5f;
  queue.Est.SL = 22.5f;
  queue.Est.WT = Span(0, 0, 0, 23, 4);
  queue.LocalValue = 24;

  TPack expected(1);
  expected << 1L << queue.Medium << 2L << 3L << 4L;
  expected << 5.5f << 6.5f << 7.5f << 8.5f << 9.5f;
  PackSpan(expected, 10, 1);
  expected << 11L << 12L << 13L << 14L << 15L << 16L << 17.5f << 18.5f;
  PackSpan(expected, 19, 2);
  PackSpan(expected, 20, 3);
  expected << 21.5f << 22.5f;
  PackSpan(expected, 23, 4);
  const Bytes bytes = Packed(queue);
  EXPECT_EQ(bytes, Contents(expected));

  // The unlabelled float travels; the record's 16-bit value stays on this side.
  TEventDataQueueRealTime decoded;
  decoded.LocalValue = 9;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.Shf.AuxValue, 21.5f);
  EXPECT_EQ(decoded.LocalValue, 9);
  EXPECT_EQ(Packed(decoded), bytes);
  EXPECT_EQ(TEventDataQueueRealTime(queue).LocalValue, 24);
  EXPECT_EQ(TEventDataQueueRealTime(queue).Shf.AuxValue, 21.5f);
}

TEST(QueueRealTimeWire, SiteStatisticsAndTheValueFollowTheList) {
  TQueueRealTimeEvent event;
  event.SiteStatistics = Site();
  event.TrailerValue = 0xBEEF;
  AddRecord(event, 5);

  TPack expected(1);
  expected << 1 << *event.EventDataList[0] << 7L << 12.5f << 80.25f << 3.5f;
  PackSpan(expected, 9, 4);
  expected << static_cast<unsigned short>(0xBEEF);
  EXPECT_EQ(Packed(event), Contents(expected));
  EXPECT_EQ(event.Size(), Contents(expected).size());

  event.CleanUp();
  TPack empty(1);
  empty << 0 << event.SiteStatistics << static_cast<unsigned short>(0xBEEF);
  EXPECT_EQ(Packed(event), Contents(empty));
}

// ---------------------------------------------------------------------------------------------
// The event.

TEST(QueueRealTimeEvent, FieldsAfterTheListAreReadWhateverTheCount) {
  const auto live = TMemory::LiveRegistrations();
  for (int count : {0, -1, INT_MIN}) {
    SCOPED_TRACE(count);
    TPack payload(1);
    payload << count << Site() << static_cast<unsigned short>(4242);
    TQueueRealTimeEvent event;
    AddRecord(event, 1);
    AddRecord(event, 2);
    EXPECT_EQ(UnpackInto(Contents(payload), event), 0u);
    EXPECT_TRUE(event.EventDataList.empty());
    EXPECT_EQ(Packed(event.SiteStatistics), Packed(Site()));
    EXPECT_EQ(event.TrailerValue, 4242);
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
  }
}

TEST(QueueRealTimeEvent, CleanUpTakesEachRecordOffTheBackBeforeReleasingIt) {
  TQueueRealTimeEvent event;
  event.SiteStatistics = Site();
  event.TrailerValue = 3;
  std::vector<TEventDataQueueRealTime *> records;
  for (long qk = 1; qk <= 3; ++qk)
    records.push_back(AddRecord(event, qk));
  const auto live = TMemory::LiveRegistrations();

  // The list as it stands when the failing release is reported.
  std::vector<TEventDataQueueRealTime *> listAtFailure;
  std::vector<std::string> texts;
  const TDiag::Sink previous = TDiag::SetSink(
      [&](TDiag::enDiagType, unsigned short, const char *file, const std::string &text) {
        listAtFailure = event.EventDataList;
        texts.push_back(std::string(file) + ": " + text);
      });
  TMemory::FaultPlan plan;
  plan.memFreeThrowsAfter = 0; // the first release throws
  TMemory::SetFaultPlan(plan);
  event.CleanUp();
  TMemory::SetFaultPlan({});
  TDiag::SetSink(previous);

  EXPECT_EQ(texts, std::vector<std::string>{std::string(kSource) +
                                            ": TQueueRealTimeEvent::CleanUp: Exception occured"});
  EXPECT_EQ(listAtFailure, (std::vector<TEventDataQueueRealTime *>{records[0], records[1]}));
  EXPECT_TRUE(event.EventDataList.empty());
  EXPECT_EQ(TMemory::LiveRegistrations(), live - 3);
  EXPECT_EQ(Packed(event.SiteStatistics), Packed(Site()));
  EXPECT_EQ(event.TrailerValue, 3);
}

TEST(QueueRealTimeEvent, AssignmentCarriesTheFieldsAfterTheListAndReplacesTheRecords) {
  const auto live = TMemory::LiveRegistrations();
  {
    TQueueRealTimeEvent source;
    source.SiteStatistics = Site();
    source.TrailerValue = 77;
    AddRecord(source, 1)->LocalValue = 11;
    TQueueRealTimeEvent target;
    AddRecord(target, 8);
    AddRecord(target, 9);
    target = source;
    EXPECT_EQ(Packed(target), Packed(source));
    ASSERT_EQ(target.EventDataList.size(), 1u);
    EXPECT_EQ(target.EventDataList[0]->LocalValue, 11);
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 2);
  }
  EXPECT_EQ(TMemory::LiveRegistrations(), live);
}

} // namespace
