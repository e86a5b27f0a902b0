#include "statdump/Inputs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <system_error>

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

} // namespace

Bytes ParseHex(std::string_view text) {
  Bytes bytes;
  int high = -1;
  std::size_t highAt = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c)))
      continue;
    const int value = HexValue(c);
    if (value < 0)
      throw InputError("malformed hex: " + Printable(c) + " at character " + std::to_string(i) +
                       " is not a hex digit");
    if (high < 0) {
      high = value;
      highAt = i;
    } else {
      bytes.push_back(static_cast<unsigned char>(high * 16 + value));
      high = -1;
    }
  }
  if (high >= 0)
    throw InputError("malformed hex: odd number of hex digits, the last at character " +
                     std::to_string(highAt) + " has no pair");
  return bytes;
}

Bytes ReadPayload(const std::string &path, bool hex) {
  std::string contents;
  if (path == "-") {
    contents.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    if (std::cin.bad())
      throw InputError("cannot read standard input");
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file)
      throw InputError("cannot open " + path);
    contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad())
      throw InputError("cannot read " + path);
  }
  if (hex) {
    try {
      return ParseHex(contents);
    } catch (const InputError &error) {
      throw InputError((path == "-" ? std::string("standard input") : path) + ": " + error.what());
    }
  }
  return Bytes(contents.begin(), contents.end());
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

std::vector<std::string> ExpandInputs(const std::vector<std::string> &arguments) {
  namespace fs = std::filesystem;
  std::vector<std::string> inputs;
  for (const std::string &argument : arguments) {
    std::error_code error;
    if (argument == "-" || !fs::is_directory(argument, error)) {
      inputs.push_back(argument);
      continue;
    }
    std::vector<std::string> captured;
    for (const fs::directory_entry &entry : fs::directory_iterator(argument, error))
      if (entry.is_regular_file(error) && entry.path().extension() == ".bin")
        captured.push_back(entry.path().string());
    if (error)
      throw InputError("cannot list " + argument + ": " + error.message());
    if (captured.empty())
      throw InputError("no .bin files in " + argument);
    std::sort(captured.begin(), captured.end());
    inputs.insert(inputs.end(), captured.begin(), captured.end());
  }
  return inputs;
}

} // namespace statdump
