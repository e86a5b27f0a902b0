// File names as the tools' diagnostics show them. A name comes from whoever made the file: it
// may hold bytes that are not UTF-8, or control characters that would garble a terminal or
// start what looks like another diagnostic line.
#ifndef STATCLIENT_SUPPORT_PRINTABLENAME_H_
#define STATCLIENT_SUPPORT_PRINTABLENAME_H_

#include <string>
#include <string_view>

namespace statsupport {

// `name` itself when it is UTF-8 text without control characters; otherwise `name` with every
// byte outside printable ASCII written as \xHH ("\xff\xfe-5006.bin").
std::string PrintableName(std::string_view name);

} // namespace statsupport

#endif // STATCLIENT_SUPPORT_PRINTABLENAME_H_
