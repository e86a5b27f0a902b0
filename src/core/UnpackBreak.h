// Where a failed unpack broke, kept per thread for LastUnpackBreak.
//
// Each level of an unpack that sees an exception pass notes its field's name (or an element's
// index) and lets the exception go on; the innermost level notes first. The notes cost nothing
// while unpacking succeeds. A different exception in flight starts a new path.
#ifndef STATCLIENT_CORE_UNPACKBREAK_H_
#define STATCLIENT_CORE_UNPACKBREAK_H_

namespace statcore {

// Call only from a catch block.
void NoteUnpackBreakField(const char *name);
void NoteUnpackBreakIndex(unsigned long index);

} // namespace statcore

#endif // STATCLIENT_CORE_UNPACKBREAK_H_
