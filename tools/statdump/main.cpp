// statdump: decodes event payloads captured from a Statistics Server and prints their records.
// The command line only; decoding and reporting are in statdump/Report.h.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "statdump/Inputs.h"
#include "statdump/Report.h"
#include "statsupport/EventTable.h"

namespace {

const statsupport::EventEntry *FindEvent(const std::string &nameOrId) {
  if (!nameOrId.empty() && nameOrId.find_first_not_of("0123456789") == std::string::npos)
    return nameOrId.size() < 10 ? statsupport::FindById(std::stoi(nameOrId)) : nullptr;
  return statsupport::FindByName(nameOrId);
}

// The entry a payload decodes as: the --event one, or the id in a capture file's name.
const statsupport::EventEntry &EventFor(const statsupport::EventEntry *chosen,
                                        const std::string &input) {
  if (chosen)
    return *chosen;
  const std::optional<int> id = statdump::EventIdFromFileName(input);
  if (!id)
    throw statdump::InputError(input + ": no --event given and the name does not end in "
                                       "-<event id>.bin");
  const statsupport::EventEntry *entry = statsupport::FindById(*id);
  if (!entry)
    throw statdump::InputError(input + ": no event class for event id " + std::to_string(*id));
  return *entry;
}

} // namespace

int main(int argc, char **argv) {
  CLI::App app{"Decodes event payloads and prints one line per record."};
  std::vector<std::string> arguments;
  std::string event;
  std::string format = "text";
  std::string packDump;
  bool hex = false;
  app.add_option("payloads", arguments,
                 "payload files, capture directories (their .bin files in name order), or - for "
                 "standard input")
      ->required();
  app.add_option("-e,--event", event,
                 "decode as this event class, event name or event id (default: the id in a "
                 "capture file's name, <sequence>-<event id>.bin)");
  app.add_flag("--hex", hex, "the payloads are hex text; whitespace is ignored");
  app.add_option("-f,--format", format, "text (default) or json, one JSON object per record")
      ->check(CLI::IsMember({"text", "json"}));
  app.add_option("--pack-dump", packDump, "append the pack dump of every payload to FILE");
  app.footer("Exit status: 0 every payload decoded in full; 1 bad arguments, unknown event, "
             "unreadable file or malformed hex; 2 a payload did not decode (one line on standard "
             "error says the class, byte offset, record and field); 3 a payload decoded but left "
             "bytes unread (its records are printed, the count and offset go to standard "
             "error). With several payloads the most severe status wins: 1, then 2, then 3.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    return app.exit(error) == 0 ? statdump::kExitDecoded : statdump::kExitInputError;
  }

  const statsupport::EventEntry *chosen = nullptr;
  if (!event.empty() && !(chosen = FindEvent(event))) {
    std::cerr << "statdump: unknown event \"" << event << "\"\n";
    return statdump::kExitInputError;
  }
  const statdump::Format outputFormat =
      format == "json" ? statdump::Format::kJson : statdump::Format::kText;

  int status = statdump::kExitDecoded;
  std::vector<std::string> inputs;
  try {
    inputs = statdump::ExpandInputs(arguments);
  } catch (const statdump::InputError &error) {
    std::cerr << "statdump: " << error.what() << "\n";
    return statdump::kExitInputError;
  }
  for (const std::string &input : inputs) {
    try {
      const statsupport::EventEntry &entry = EventFor(chosen, input);
      const statdump::Bytes payload = statdump::ReadPayload(input, hex);
      const std::string source = input == "-" ? "standard input" : input;
      const statdump::Report report =
          statdump::DecodePayload(entry, payload, outputFormat, source, packDump);
      for (const std::string &line : report.lines)
        std::cout << line << '\n';
      std::cout.flush();
      if (!report.diagnostic.empty())
        std::cerr << "statdump: " << report.diagnostic << "\n";
      status = statdump::MoreSevere(status, report.status);
    } catch (const statdump::InputError &error) {
      std::cerr << "statdump: " << error.what() << "\n";
      status = statdump::MoreSevere(status, statdump::kExitInputError);
    }
  }
  return status;
}
