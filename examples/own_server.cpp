// A Statistics Server of one's own, for tests of an application: a handler bound under the
// server's name answers requests, and PublishEvent sends events to the registered clients.
#include <cstdio>

#include <statclient/statclient.h>

namespace {

const char kServerName[] = "MyStatisticsServer";

// Sends one group real-time event with one record to every client registered for it.
void PublishOneGroup() {
  TGroupRealTimeEvent groups;
  TEventDataGroupRealTime *group = AddRecord(groups); // the event releases it
  group->VG = 7;
  group->LoggedOnUsers = 3;
  TPack pack(1); // an owning pack that grows as it is written
  pack << groups;
  TEvent event(TStatisticsServer::GROUPREALTIMEEVENT);
  event.SetData(static_cast<void *>(pack), pack.Length());
  TFramework::PublishEvent(kServerName, event);
}

// Every request is a header followed by a body; this server accepts only RequestEvent
// (object 4) and answers it with a reply header holding return code 0.
TRpcReply Handle(const TRpcRequest &request) {
  TPack in(const_cast<unsigned char *>(request.data.data()),
           static_cast<unsigned long>(request.data.size()));
  TMsgRequestHdr header;
  in >> header;
  if (header.GetObject() != 4)
    return TRpcReply{true, 0, 5999, {}}; // a code of this server's own
  int eventId = 0;
  std::string client;
  in >> eventId >> client;
  std::printf(
      "server: %s asks for %s\n", client.c_str(),
      TStatisticsServer::ToString(static_cast<TStatisticsServer::enSvrPublicEvents>(eventId))
          .c_str());
  if (eventId == TStatisticsServer::GROUPREALTIMEEVENT)
    PublishOneGroup();
  TPack out(1);
  out << TMsgReplyHdr(0, 0);
  const auto *bytes = static_cast<const unsigned char *>(static_cast<void *>(out));
  return TRpcReply{true, 0, 0, std::vector<unsigned char>(bytes, bytes + out.Length())};
}

} // namespace

int main() {
  TFramework::BindServer(kServerName, Handle);

  AStatisticsServer proxy(kServerName, "ExampleClient", "ExampleTask");
  TEvent registration(TStatisticsServer::GROUPREALTIMEEVENT);
  proxy.RegisterForEvent(registration, kServerName, 5000, 0);
  const unsigned short rc = proxy.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  std::printf("client: RequestEvent: %s\n", ResultCodeText(rc).c_str());

  TEvent event;
  const bool arrived = proxy.WaitForEvent(event, 1000);
  if (arrived) {
    TGroupRealTimeEvent groups;
    TPack pack(event.GetData(), event.GetDataSize());
    pack >> groups;
    std::printf("client: %s\n", groups.EventDataList.front()->ToString().c_str());
  }

  TFramework::UnbindServer(kServerName);
  return rc == 0 && arrived ? 0 : 1;
}
