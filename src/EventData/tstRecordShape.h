// The members every record and event class of the library declares, written once.
//
//   STATCLIENT_COPYABLE(Class)        default and copy constructors, assignment (a deep copy;
//                                     self-assignment changes nothing) and the virtual
//                                     destructor, the class's only virtual operation
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

#endif // STATCLIENT_EVENTDATA_TSTRECORDSHAPE_H_
