// Where statdump's payloads come from: files of raw bytes or hex text, standard input, and the
// capture directories that the watcher writes ("<6-digit sequence>-<event id>.bin").
//
// Every function here reads or parses only; failures throw InputError with a message fit for
// standard error. Not thread-safe where it reads standard input.
#ifndef STATCLIENT_TOOLS_STATDUMP_INPUTS_H_
#define STATCLIENT_TOOLS_STATDUMP_INPUTS_H_

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace statdump {

using Bytes = std::vector<unsigned char>;

class InputError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The bytes written as hex digit pairs; whitespace anywhere between digits is ignored. Throws
// on a character that is neither, or on an odd number of digits, naming the character's place.
Bytes ParseHex(std::string_view text);

// The contents of the file at `path`, or of standard input for "-"; hex text decoded when
// `hex`. Throws when the file cannot be read or its hex is malformed, naming the input.
Bytes ReadPayload(const std::string &path, bool hex);

// The event id in a capture file name ending "-<id>.bin" (directories ignored); none otherwise.
std::optional<int> EventIdFromFileName(std::string_view path);

// The arguments with every directory replaced by its ".bin" files in name order; other
// arguments are kept as they are, for ReadPayload to open. Throws for a directory that cannot
// be listed or holds no ".bin" file.
std::vector<std::string> ExpandInputs(const std::vector<std::string> &arguments);

} // namespace statdump

#endif // STATCLIENT_TOOLS_STATDUMP_INPUTS_H_
