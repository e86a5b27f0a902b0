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

// Client core
#include "client/tstAServer.h"
#include "tstTServer.h"

// Event records
#include "EventData/tstTEventDataCallbackRealTime.h"
#include "EventData/tstTEventDataContactRealTime.h"
#include "EventData/tstTEventDataGroupRealTime.h"
#include "EventData/tstTEventDataQueueRealTime.h"
#include "EventData/tstTEventDataUserRealTime.h"
#include "tstNameTables.h"
#include "tstTCMState.h"

// Contact records and services
#include "client/tstAContactDetail.h"
#include "client/tstAContactLog.h"
#include "client/tstAErrorRecord.h"
#include "framework/TTimeZone.h"
#include "tstTCallbackLogs.h"
#include "tstTContactDetail.h"
#include "tstTErrorRecord.h"
#include "tstTEventDataContactLog.h"
#include "tstTOpenMediaContent.h"

#endif // STATCLIENT_STATCLIENT_H_
