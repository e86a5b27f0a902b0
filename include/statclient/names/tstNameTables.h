// Names of media, media states, supervisor monitoring kinds, contact types and handling
// states, for the text renderings of the statistics records. Each takes the number as it is
// held in a record and names values outside its table with a fallback.
#ifndef STATCLIENT_NAMES_TSTNAMETABLES_H_
#define STATCLIENT_NAMES_TSTNAMETABLES_H_

#include <string>

// A user's state on one medium; "Invalid" outside 0..4.
std::string MediaStateToString(int state);
// Kind of supervisor monitoring; "Invalid" outside 0..3.
std::string CSMTypeToString(int type);
// "Invalid" outside 0..11.
std::string ContactTypeToString(int type);
// State of one contact at a user; "Invalid" outside 0..11.
std::string HandlingStateToString(int state);
// "MediaType: " followed by the signed value outside 0..5.
std::string MediaTypeToString(int type);

#endif // STATCLIENT_NAMES_TSTNAMETABLES_H_
