// Where statdump's payloads come from: files of raw bytes or hex text, standard input, and the
// capture directories that the watcher writes ("<6-digit sequence>-<event id>.bin").
//
// Every function here reads or parses only; failures throw InputError with a message fit for
// standard error, which names the input as PrintableName shows it. Not thread-safe where it
// reads standard input.
#ifndef STATCLIENT_TOOLS_STATDUMP_INPUTS_H_
#define STATCLIENT_TOOLS_STATDUMP_INPUTS_H_

#include <cstddef>
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

// The most bytes a payload may have: 16 MiB. No event a server sends comes near it (10,000
// group real-time rows pack to 800,000 bytes), and a decode asks for at most 64 times the
// bytes it reads, so this also bounds the memory that decoding one payload costs.
constexpr std::size_t kMaxPayloadBytes = std::size_t{16} << 20;

// The contents of the file at `path`, or of standard input for "-"; hex text decoded when
// `hex`, whitespace anywhere between digits ignored. The input is read in pieces and never
// held beyond kMaxPayloadBytes of payload: a longer one, a device without end or hex text for
// more, is refused once that much has been read. Throws when the input cannot be read, is too
// long, or its hex is malformed (naming the character and its place in the text).
Bytes ReadPayload(const std::string &path, bool hex);

// The event id in a capture file name ending "-<id>.bin" (directories ignored); none otherwise.
std::optional<int> EventIdFromFileName(std::string_view path);

// A directory argument's regular ".bin" files in name order (anything else in it, a link to
// nowhere too, is passed over); any other argument as it is, for ReadPayload to open. Only the
// names are held. Throws for a directory that cannot be listed or holds no ".bin" file.
std::vector<std::string> ExpandArgument(const std::string &argument);

} // namespace statdump

#endif // STATCLIENT_TOOLS_STATDUMP_INPUTS_H_
