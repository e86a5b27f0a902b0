// statdump: decodes event payloads captured from a Statistics Server and prints their records.
// The command line only; decoding and reporting are in statdump/Report.h.
#include <array>
#include <iostream>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "statdump/Inputs.h"
#include "statdump/Report.h"
#include "statsupport/EventTable.h"
#include "statsupport/PrintableName.h"
#include "statsupport/StandardOutput.h"

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
  const std::string name = statsupport::PrintableName(input);
  const std::optional<int> id = statdump::EventIdFromFileName(input);
  if (!id)
    throw statdump::InputError(name + ": no --event given and the name does not end in "
                                      "-<event id>.bin");
  const statsupport::EventEntry *entry = statsupport::FindById(*id);
  if (!entry)
    throw statdump::InputError(name + ": no event class for event id " + std::to_string(*id));
  return *entry;
}

// Reads, decodes and prints one payload; returns the status it gives, kExitOutput when its lines
// could not be written.
int DumpOne(const statsupport::EventEntry *chosen, const std::string &input, bool hex,
            statdump::Format format, const std::string &packDump) {
  try {
    const statsupport::EventEntry &entry = EventFor(chosen, input);
    const statdump::Bytes payload = statdump::ReadPayload(input, hex);
    const std::string source = input == "-" ? "standard input" : statsupport::PrintableName(input);
    const statdump::Report report =
        statdump::DecodePayload(entry, payload, format, source, packDump);
    for (const std::string &line : report.lines)
      std::cout << line << '\n';
    if (!statsupport::FlushStandardOutput("statdump"))
      return statdump::kExitOutput;
    if (!report.diagnostic.empty())
      std::cerr << "statdump: " << report.diagnostic << "\n";
    return report.status;
  } catch (const statdump::InputError &error) {
    std::cerr << "statdump: " << error.what() << "\n";
    return statdump::kExitInputError;
  }
}

} // namespace

int main(int argc, char **argv) {
  CLI::App app{"Decodes event payloads and prints one line per record."};
  std::vector<std::string> arguments;
  std::optional<std::string> event;
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
  app.footer("A payload holds at most " + std::to_string(statdump::kMaxPayloadBytes) +
             " bytes (16 MiB); a longer input is refused once that much is read. Exit status: 0 "
             "every payload decoded in full; 1 bad arguments, unknown event, unreadable or too "
             "long input, or malformed hex; 2 a payload did not decode (one line on standard "
             "error says the class, byte offset, record and field); 3 a payload decoded but "
             "left bytes unread (its records are printed, the count and offset go to standard "
             "error); 4 standard output could not be written (said on standard error; the run "
             "stops there). With several inputs every one is tried, standard error ends with their "
             "count by outcome, and the most severe status wins: 1, then 2, then 3.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &error) {
    return app.exit(error) == 0 ? statdump::kExitDecoded : statdump::kExitInputError;
  }

  const statsupport::EventEntry *chosen = nullptr;
  if (event && !(chosen = FindEvent(*event))) {
    std::cerr << "statdump: unknown event \"" << *event << "\"\n";
    return statdump::kExitInputError;
  }
  const statdump::Format outputFormat =
      format == "json" ? statdump::Format::kJson : statdump::Format::kText;

  // One argument at a time, and of a directory one file at a time: only the payload in hand
  // is held, and an argument that fails does not keep the others from being tried.
  int status = statdump::kExitDecoded;
  std::array<long, 4> inputsByStatus{};
  const auto note = [&](int inputStatus) {
    ++inputsByStatus[static_cast<std::size_t>(inputStatus)];
    status = statdump::MoreSevere(status, inputStatus);
  };
  for (const std::string &argument : arguments) {
    std::vector<std::string> inputs;
    try {
      inputs = statdump::ExpandArgument(argument);
    } catch (const statdump::InputError &error) {
      std::cerr << "statdump: " << error.what() << "\n";
      note(statdump::kExitInputError);
      continue;
    }
    for (const std::string &input : inputs) {
      const int inputStatus = DumpOne(chosen, input, hex, outputFormat, packDump);
      if (inputStatus == statdump::kExitOutput)
        return statdump::kExitOutput;
      note(inputStatus);
    }
  }
  const long inputs = std::accumulate(inputsByStatus.begin(), inputsByStatus.end(), 0L);
  if (inputs > 1)
    std::cerr << "statdump: " << inputs << " inputs: " << inputsByStatus[statdump::kExitDecoded]
              << " decoded in full, " << inputsByStatus[statdump::kExitBroken]
              << " did not decode, " << inputsByStatus[statdump::kExitLeftOver]
              << " left bytes over, " << inputsByStatus[statdump::kExitInputError]
              << " could not be read\n";
  return status;
}
