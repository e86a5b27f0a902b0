#include "names/tstNameTables.h"

#include "tstNameLookup.h"

namespace {

const char *const kMediaStates[] = {"Logoff", "Logon", "Available", "Do Not Distrub", "Unknown"};

const char *const kCSMTypes[] = {"None", "Silent Monitoring", "BargeIn",
                                 "Continuous Silent Monitoring"};

const char *const kContactTypes[] = {"None",
                                     "Routed Voice",
                                     "Direct Incoming Voice",
                                     "Direct Outgoing Voice",
                                     "Direct Internal Voice",
                                     "Routed Callback",
                                     "Routed Email",
                                     "Direct Outgoing Email",
                                     "Routed Web",
                                     "Unknown Voice",
                                     "Routed OpenMedia",
                                     "Direct Outgoing OpenMedia"};

const char *const kHandlingStates[] = {"None",       "Pending",    "Dialing",        "Busy",
                                       "Ringing",    "Talking",    "Queued",         "OnHold",
                                       "Consulting", "Processing", "PostProcessing", "Unknown"};

const char *const kMediaTypes[] = {"None", "Voice", "Callback", "Email", "Web Chat", "OpenMedia"};

} // namespace

std::string MediaStateToString(int state) { return NameLookup(kMediaStates, 0, state, "Invalid"); }

std::string CSMTypeToString(int type) { return NameLookup(kCSMTypes, 0, type, "Invalid"); }

std::string ContactTypeToString(int type) { return NameLookup(kContactTypes, 0, type, "Invalid"); }

std::string HandlingStateToString(int state) {
  return NameLookup(kHandlingStates, 0, state, "Invalid");
}

std::string MediaTypeToString(int type) {
  if (const char *name = NameLookup(kMediaTypes, 0, type, nullptr))
    return name;
  return "MediaType: " + std::to_string(type);
}
