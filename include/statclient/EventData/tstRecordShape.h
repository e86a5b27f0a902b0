// The members every record and event class of the library declares, written once.
//
//   STATCLIENT_COPYABLE(Class)        default and copy constructors, assignment (a deep copy;
//                                     self-assignment changes nothing) and the virtual
//                                     destructor, the class's only virtual operation
//   STATCLIENT_USER_KEYS              the members AK, DeptK, Loc, SiteK and BU of a user row
//   STATCLIENT_PACK_OPERATORS(Class)  the free pack and unpack operators, which return the
//                                     buffer they were given; unpacking reads exactly what
//                                     packing wrote and throws TPackError on a short payload
//
// Every event owns the records in its EventDataList: unpacking and copying allocate them
// through the framework's tracked allocation and register them with its memory accounting, and
// the clearing operation, assignment and destruction release them. An application that fills
// a list itself adds each record with AddRecord (statclient/tstRecordWalk.h). Packing, sizing
// and copying need a list without null pointers; clearing drops null positions. Size() is the
// byte length of the packed event.
//
// The two shapes most events have, each declared by one macro (the families whose events differ
// declare theirs in full):
//
//   STATCLIENT_RECORDS_EVENT(Event, Record)
//       class Event { STATCLIENT_COPYABLE(Event); unsigned long Size() const; void Clear();
//                     std::vector<Record *> EventDataList; };  and its pack operators.
//       The event packs as the count (int32), then each record; unpacking replaces the records
//       the event held. Clear releases every record, front to back, and empties the list; it
//       never throws: a release that fails is written to the diagnostic log and the rest are
//       released all the same.
//   STATCLIENT_STAMPED_EVENT(Event, Record)
//       the same with a member TTimeStamp TimeStamp{1} declared before the list. The time stamp
//       is packed whole before the count; unpacking reads it first (a payload cut inside it
//       leaves the records as they were), copies and assignments carry it, Clear leaves it.
#ifndef STATCLIENT_EVENTDATA_TSTRECORDSHAPE_H_
#define STATCLIENT_EVENTDATA_TSTRECORDSHAPE_H_

class TPack;

#define STATCLIENT_COPYABLE(Class)                                                                 \
  Class();                                                                                         \
  Class(const Class &other);                                                                       \
  Class &operator=(const Class &other);                                                            \
  virtual ~Class();

#define STATCLIENT_PACK_OPERATORS(Class)                                                           \
  TPack &operator<<(TPack &pack, const Class &value);                                              \
  TPack &operator>>(TPack &pack, Class &value);

// The keys of a user that open the user rows of several cumulative events, all 0 by default;
// where they travel and show is each row's own.
#define STATCLIENT_USER_KEYS                                                                       \
  long AK = 0;                                                                                     \
  long DeptK = 0;                                                                                  \
  long Loc = 0;                                                                                    \
  long SiteK = 0;                                                                                  \
  long BU = 0;

#define STATCLIENT_RECORDS_EVENT(Event, Record)                                                    \
  class Event {                                                                                    \
  public:                                                                                          \
    STATCLIENT_COPYABLE(Event)                                                                     \
    unsigned long Size() const;                                                                    \
    void Clear();                                                                                  \
    std::vector<Record *> EventDataList;                                                           \
  };                                                                                               \
  STATCLIENT_PACK_OPERATORS(Event)

#define STATCLIENT_STAMPED_EVENT(Event, Record)                                                    \
  class Event {                                                                                    \
  public:                                                                                          \
    STATCLIENT_COPYABLE(Event)                                                                     \
    unsigned long Size() const;                                                                    \
    void Clear();                                                                                  \
    TTimeStamp TimeStamp{1};                                                                       \
    std::vector<Record *> EventDataList;                                                           \
  };                                                                                               \
  STATCLIENT_PACK_OPERATORS(Event)

#endif // STATCLIENT_EVENTDATA_TSTRECORDSHAPE_H_
