// ResultCodeText: a result code of a request operation in words, for logs and tools.
//
// Names the codes the library itself produces (0, 5709, 5715, 5737), the framework's last
// errors that a failed send passes on (32772, 32773; 32771 is turned into 5715 but is named
// too), and the generic server's refusal of a request header (5001). Any other code is the
// server's own and is said to be passed through from it. Every text starts with the number.
// Pure; never throws except std::bad_alloc.
#ifndef STATCLIENT_CLIENT_TSTRESULTCODETEXT_H_
#define STATCLIENT_CLIENT_TSTRESULTCODETEXT_H_

#include <string>

std::string ResultCodeText(unsigned long code);

#endif // STATCLIENT_CLIENT_TSTRESULTCODETEXT_H_
