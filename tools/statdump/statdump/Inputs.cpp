#include "statdump/Inputs.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <system_error>

#include "statsupport/PrintableName.h"

namespace statdump {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

std::string Printable(char c) {
  if (std::isprint(static_cast<unsigned char>(c)))
    return std::string("'") + c + "'";
  std::ostringstream out;
  out << "byte 0x" << std::hex << (static_cast<unsigned>(c) & 0xFFu);
  return out.str();
}

InputError TooLong(const std::string &what) {
  return InputError(what + "more than " + std::to_string(kMaxPayloadBytes) +
                    " bytes, the most a payload may hold");
}

// Hex text decoded piece by piece as it is read. Keeps of the text only a digit that waits for
// its pair and the number of characters seen, so that errors can say where they are.
class HexDecoder {
public:
  // Appends the bytes of `text`, the piece that follows those fed before.
  void Feed(std::string_view text, Bytes &bytes) {
    for (const char c : text) {
      const std::size_t at = seen_++;
      if (std::isspace(static_cast<unsigned char>(c)))
        continue;
      const int value = HexValue(c);
      if (value < 0)
        throw InputError("malformed hex: " + Printable(c) + " at character " + std::to_string(at) +
                         " is not a hex digit");
      if (high_ < 0) {
        high_ = value;
        highAt_ = at;
        continue;
      }
      if (bytes.size() == kMaxPayloadBytes)
        throw TooLong("hex text for ");
      bytes.push_back(static_cast<unsigned char>(high_ * 16 + value));
      high_ = -1;
    }
  }

  // Throws when the text ended on a digit without its pair.
  void Finish() const {
    if (high_ >= 0)
      throw InputError("malformed hex: odd number of hex digits, the last at character " +
                       std::to_string(highAt_) + " has no pair");
  }

private:
  int high_ = -1;
  std::size_t highAt_ = 0;
  std::size_t seen_ = 0;
};

} // namespace

Bytes ReadPayload(const std::string &path, bool hex) {
  const bool standardInput = path == "-";
  const std::string name =
      standardInput ? std::string("standard input") : statsupport::PrintableName(path);
  std::ifstream file;
  if (!standardInput) {
    file.open(path, std::ios::binary);
    if (!file)
      throw InputError("cannot open " + name);
  }
  std::istream &in = standardInput ? std::cin : file;
  Bytes bytes;
  HexDecoder decoder;
  std::array<char, 64 * 1024> piece;
  try {
    while (in) {
      in.read(piece.data(), piece.size());
      const std::string_view read(piece.data(), static_cast<std::size_t>(in.gcount()));
      if (hex) {
        decoder.Feed(read, bytes);
      } else {
        if (bytes.size() + read.size() > kMaxPayloadBytes)
          throw TooLong("");
        bytes.insert(bytes.end(), read.begin(), read.end());
      }
    }
    if (in.bad())
      throw InputError("cannot read");
    decoder.Finish();
  } catch (const InputError &error) {
    throw InputError(name + ": " + error.what());
  }
  return bytes;
}

std::optional<int> EventIdFromFileName(std::string_view path) {
  const std::string name = std::filesystem::path(path).filename().string();
  constexpr std::string_view kSuffix = ".bin";
  if (name.size() <= kSuffix.size() ||
      name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
    return std::nullopt;
  const std::size_t digitsEnd = name.size() - kSuffix.size();
  std::size_t digitsBegin = digitsEnd;
  while (digitsBegin > 0 && std::isdigit(static_cast<unsigned char>(name[digitsBegin - 1])))
    --digitsBegin;
  if (digitsBegin == digitsEnd || digitsBegin == 0 || name[digitsBegin - 1] != '-' ||
      digitsEnd - digitsBegin > 9)
    return std::nullopt;
  return std::stoi(name.substr(digitsBegin, digitsEnd - digitsBegin));
}

std::vector<std::string> ExpandArgument(const std::string &argument) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (argument == "-" || !fs::is_directory(argument, error))
    return {argument};
  std::vector<std::string> captured;
  fs::directory_iterator entry(argument, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    // An entry whose type cannot be found out (a link to nowhere) is passed over like any
    // other that is not a regular file; it does not end the listing.
    std::error_code unknownType;
    if (entry->is_regular_file(unknownType) && entry->path().extension() == ".bin")
      captured.push_back(entry->path().string());
  }
  const std::string name = statsupport::PrintableName(argument);
  if (error)
    throw InputError("cannot list " + name + ": " + error.message());
  if (captured.empty())
    throw InputError("no .bin files in " + name);
  std::sort(captured.begin(), captured.end());
  return captured;
}

} // namespace statdump
