// The short forms of the framework calls, on the calling object's own queues.
#include "framework/TFramework.h"

bool TFramework::SendRPC(TRPC &rpc, const char *destination, unsigned long timeoutMs,
                         TASKTYPE taskType) {
  return SendRPC(rpc, destination, replyQueue_, timeoutMs, taskType);
}

bool TFramework::RegisterForEvent(TEvent &event, const char *serverName, unsigned long timeoutMs,
                                  TASKTYPE taskType) {
  return RegisterForEvent(event, serverName, replyQueue_, eventQueue_, timeoutMs, taskType);
}

bool TFramework::DeregisterForEvent(TEvent &event, const char *serverName, unsigned long timeoutMs,
                                    TASKTYPE taskType) {
  return DeregisterForEvent(event, serverName, replyQueue_, eventQueue_, timeoutMs, taskType);
}

bool TFramework::WaitForEvent(TEvent &event, unsigned long timeoutMs) {
  return WaitForEvent(event, eventQueue_, timeoutMs);
}
