// The whole statistics client library and its platform in one include.
#ifndef STATCLIENT_STATCLIENT_H_
#define STATCLIENT_STATCLIENT_H_

// Platform
#include "framework/TBaseException.h"
#include "framework/TDiag.h"
#include "framework/TFramework.h"
#include "framework/TMemory.h"
#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "genericserver/TKIVOServerBase.h"
#include "genericserver/TMsgRequestHdr.h"
#include "mediastate/TSMEnum.h"
#include "presence/TpsPresenceState.h"

// Record walks, AddRecord and LastUnpackBreak
#include "statclient/tstRecordWalk.h"

// Client core
#include "client/tstAServer.h"
#include "client/tstResultCodeText.h"
#include "client/tstTServer.h"

// Event records
#include "EventData/tstTEventDataCallbackRealTime.h"
#include "EventData/tstTEventDataContactRealTime.h"
#include "EventData/tstTEventDataGroupRealTime.h"
#include "EventData/tstTEventDataQueueRealTime.h"
#include "EventData/tstTEventDataUserRealTime.h"

// Cumulative event records
#include "EventData/tstTEventDataCDComponentCumulative.h"
#include "EventData/tstTEventDataCallbackCumulative.h"
#include "EventData/tstTEventDataContactResultsCumulative.h"
#include "EventData/tstTEventDataDestinationCumulative.h"
#include "EventData/tstTEventDataGroupCumulative.h"
#include "EventData/tstTEventDataPostProcessingCumulative.h"
#include "EventData/tstTEventDataQueueCumulative.h"
#include "EventData/tstTEventDataRoutingStateCumulative.h"
#include "EventData/tstTEventDataUserCumulative.h"
#include "EventData/tstTEventDataWorkFlowCumulative.h"
#include "names/tstNameTables.h"
#include "names/tstTCMState.h"

// Contact records and services
#include "client/tstAContactDetail.h"
#include "client/tstAContactLog.h"
#include "client/tstAErrorRecord.h"
#include "framework/TTimeZone.h"
#include "records/tstTCallbackLogs.h"
#include "records/tstTContactDetail.h"
#include "records/tstTErrorRecord.h"
#include "records/tstTEventDataContactLog.h"
#include "records/tstTOpenMediaContent.h"

#endif // STATCLIENT_STATCLIENT_H_
