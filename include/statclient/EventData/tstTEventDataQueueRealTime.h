// Queue real-time statistics: one record per queue and medium with its sample, shift and
// estimated statistics, and the event that carries the records followed by the statistics of
// the whole site.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAQUEUEREALTIME_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAQUEUEREALTIME_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"
#include "mediastate/TSMEnum.h"

#include "EventData/tstRecordShape.h"

// In the records below fields are declared in pack order, floats are 32-bit, and every
// TTimeStamp field is a duration (a length of time, packed as whole seconds and milliseconds).

// Statistics of the whole site.
class TEventDataSiteStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataSiteStatistics)

  // "{Ans:0, WT:00:00:00.000, SL:100, EstSL:100, EstWT:0}": WT second, although packed last.
  std::string ToString();

  long Ans = 0;
  float SL = 100.0f;
  float EstSL = 100.0f;
  float EstWT = 0.0f;
  TTimeStamp WT{1};
};

// Statistics of a queue over the current sample.
class TEventDataSampleStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataSampleStatistics)

  // "{ SL:0, AnsR:0, AbdR:0, AnsAvg:0, AbdAvg:0, OWT:00:00:00.000}", a blank after the brace.
  std::string ToString();

  float SL = 0.0f;
  float AnsR = 0.0f;
  float AbdR = 0.0f;
  float AnsAvg = 0.0f;
  float AbdAvg = 0.0f;
  TTimeStamp OWT{1};
};

// Statistics of a queue over the current shift.
class TEventDataShiftStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataShiftStatistics)

  // "{Rec:..., Rec NI:..., Ans:..., WT:<WTAns>, Abd:..., WT:<WTAbd>, Red:..., Red NO:..., SL:...,
  // AR:...}": its own order; AuxValue is not written.
  std::string ToString();

  long Rec = 0;
  long Ans = 0;
  long Abd = 0;
  long Red = 0;
  long RecNI = 0; // labelled "Rec NI"
  long RedNO = 0; // labelled "Red NO"
  float SL = 0.0f;
  float AR = 100.0f;
  TTimeStamp WTAns{1}; // wait time of answered contacts, labelled "WT"
  TTimeStamp WTAbd{1}; // wait time of abandoned contacts, labelled "WT"
  // A further value: carried on the wire and by copies, never rendered.
  float AuxValue = 0.0f;
};

// Estimated statistics of a queue.
class TEventDataEstimatedStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataEstimatedStatistics)

  // "{SL:0, WT:00:00:00.000}".
  std::string ToString();

  float SL = 0.0f;
  TTimeStamp WT{1};
};

// The current statistics of one queue on one medium.
class TEventDataQueueRealTime {
public:
  STATCLIENT_COPYABLE(TEventDataQueueRealTime)

  // "{QK(T):17, BU:..., CIQ:..., CO:..., Shf:{...}, Samp:{ ...}, Est:{...}}": the medium's letter
  // inside the QK label; the shift block before the sample block, although packed after it.
  std::string ToString();
  // The letter of a medium, whatever the record holds: "T" 1, "C" 2, "E" 3, "W" 4, otherwise
  // "U".
  std::string ToString(const TSMEnum::MEDIUM &medium) const;

  long QK = 0;
  TSMEnum::MEDIUM Medium = static_cast<TSMEnum::MEDIUM>(0);
  long BU = 0;
  long CIQ = 0;
  long CO = 0;
  TEventDataSampleStatistics Samp;
  TEventDataShiftStatistics Shf;
  TEventDataEstimatedStatistics Est;
  // Kept with the record on this side only: copies carry it; it is neither packed nor
  // rendered, and unpacking leaves it as it was.
  unsigned short LocalValue = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataSiteStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataSampleStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataShiftStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataEstimatedStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataQueueRealTime)

// The payload of the queue real-time event: the records, then the site statistics and a 16-bit
// value. Ownership, allocation and release of the records are those of every event class
// (EventData/tstRecordShape.h), except that the records are released by CleanUp, from the back.
class TQueueRealTimeEvent {
public:
  STATCLIENT_COPYABLE(TQueueRealTimeEvent)

  // Bytes of the packed event, the site statistics and the 16-bit value included.
  unsigned long Size() const;
  // Releases every record, taking each one off the back of the list before releasing it.
  // SiteStatistics and TrailerValue are left as they are. Never throws: a release that fails
  // is written to the diagnostic log and the rest are released all the same.
  void CleanUp();

  std::vector<TEventDataQueueRealTime *> EventDataList;
  TEventDataSiteStatistics SiteStatistics;
  // The 16-bit value packed after the site statistics.
  unsigned short TrailerValue = 0;
};

// The count as int32, each record, the site statistics, the 16-bit value. Unpacking replaces
// the records the event held and reads the site statistics and the value whatever the count.
STATCLIENT_PACK_OPERATORS(TQueueRealTimeEvent)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAQUEUEREALTIME_H_
