// cutoff_walk: walks the power cut over every call of each install and prints the table of
// docs/interrupted-install.md, writes it into that file (--write FILE) or fails when the file
// holds another (--check FILE).
#include "cutoff/CutoffWalk.h"

#include "package/ModuleConfig.h"
#include "winsim/winsim.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const WalkCase kCases[] = {
    {"XP parallel", WinXp, "LPT1:", ""},
    {"XP serial", WinXp, "AQCOM1:", "AQ COM Monitor"},
    {"XP USB", WinXp, "USB_QM-A210_1", "AQ USB Monitor"},
    {"Vista parallel", WinVista, "LPT1:", ""},
    {"Vista serial", WinVista, "AQCOM1:", "AQ COM Monitor"},
    {"Vista USB", WinVista, "USB_QM-A210_1", "AQ USB Monitor"},
};
const int kCaseCount = sizeof kCases / sizeof kCases[0];
const char kBegin[] = "<!-- cutoff_walk table -->\n";
const char kEnd[] = "<!-- end of cutoff_walk table -->\n";

// What one k led to, each part as its table cell shows it.
struct Outcome {
  std::string step;
  std::string call;     // the simulated function the power went at
  std::string second;   // the second install's message
  std::string printer;  // working printers afterwards
  std::string left;     // what the removal left beyond a clean install's removal
  std::string after;    // the message of an install after the removal
};

// One row: the outcomes of every k whose cut fell in the same kind of step.
struct Row {
  std::vector<int> cuts = std::vector<int>(kCaseCount, 0);
  std::set<std::string> calls;
  std::map<std::string, int> second, printer, left, after;
};

// The steps of an install in their order, by the last kind of write before the cut.
const char* const kSteps[] = {
    "before the first write", "USB port record written",    "monitor DLLs copying",
    "monitor added",          "monitor version recorded",   "processor DLL copied",
    "processor added",        "processor version recorded", "driver files copying",
    "driver added",           "vendor port value written",  "printer added",
    "COM settings written"};

// What a line of MachineState stands for in the install, the most telling first.
const std::pair<const char*, const char*> kKinds[] = {
    {"printer ", "printer added"},
    {"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports\\", "COM settings written"},
    {"driver ", "driver added"},
    {"file system32\\spool\\drivers\\", "driver files copying"},
    {"Print Processors\\AQ Print Processor\\DriverVersion", "processor version recorded"},
    {"processor ", "processor added"},
    {"file system32\\spool\\prtprocs\\", "processor DLL copied"},
    {"\\DriverVersion", "monitor version recorded"},
    {"monitor ", "monitor added"},
    {"file system32\\", "monitor DLLs copying"},
    {"HKLM\\SOFTWARE\\VORTELL\\PRINTERPORT\\USB", "vendor port value written"},
    {"HKLM\\SOFTWARE\\VORTELL\\", "USB port record written"},
};

// The step a cut fell in: named after the last write the install made before it (`written`
// holds what the call before the cut added), or as the cut before it when that wrote nothing.
std::string StepKind(const std::set<std::string>& written, const std::string& last) {
  for (const auto& kind : kKinds)
    for (const std::string& line : written)
      if (line.find(kind.first) != std::string::npos) return kind.second;
  return last;
}

std::string Lines(const std::set<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : "; ") + item;
  return text.empty() ? "nothing" : text;
}

std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b) {
  std::set<std::string> rest;
  for (const std::string& item : a)
    if (!b.count(item)) rest.insert(item);
  return rest;
}

// A message as the clean install's, or its text.
std::string Said(const std::string& message, const std::string& clean) {
  return message == clean ? "as a clean install" : "\"" + message + "\"";
}

// "yes" for the clean install's printer; a further one by the part its name adds to it.
std::string Printers(const std::vector<std::string>& names, const std::string& clean) {
  if (names.empty()) return "no";
  bool cleanOne = std::find(names.begin(), names.end(), clean) != names.end();
  std::string cell = cleanOne ? "yes" : "only";
  for (const std::string& name : names) {
    if (name == clean) continue;
    bool numbered = name.compare(0, clean.size(), clean) == 0;
    cell += (cleanOne ? ", and \"" : " \"") + (numbered ? "…" + name.substr(clean.size()) : name) +
            "\"";
  }
  return cell;
}

// Every k of one case, in order; `kept` gets what a clean install and removal leave behind.
std::vector<Outcome> Walk(const WalkCase& c, std::string& kept) {
  FreshMachine(c);
  std::set<std::string> fresh = MachineState();
  SetupRun clean = RunSetup(c, 0);
  std::vector<std::string> cleanPrinters = WorkingPrinters(c);
  std::string cleanPrinter = cleanPrinters.empty() ? "" : cleanPrinters[0];
  RunUninstall();
  std::set<std::string> baseline = MachineState();
  kept = Lines(Minus(baseline, fresh));
  std::vector<Outcome> outcomes;
  std::set<std::string> before = fresh;
  std::string step = "before the first write";
  for (int k = 1; k <= clean.calls; ++k) {
    FreshMachine(c);
    RunSetup(c, k);
    Outcome o;
    o.call = winsim::CutCall();
    winsim::Reboot();
    std::set<std::string> now = MachineState();
    step = StepKind(Minus(now, before), step);
    before = now;
    o.step = step;
    o.second = Said(RunSetup(c, 0).message, clean.message);
    o.printer = Printers(WorkingPrinters(c), cleanPrinter);
    RunUninstall();
    o.left = Lines(Minus(MachineState(), baseline));
    o.after = Said(RunSetup(c, 0).message, clean.message);
    outcomes.push_back(o);
  }
  return outcomes;
}

// One value, or each with the number of cuts it came from.
std::string Cell(const std::map<std::string, int>& values) {
  if (values.size() == 1) return values.begin()->first;
  std::string cell;
  for (const auto& v : values)
    cell += (cell.empty() ? "" : "<br>") + v.first + " (" + std::to_string(v.second) + ")";
  return cell;
}

// Every case walked, its outcomes gathered by step.
struct Walked {
  std::map<std::string, Row> rows;
  std::string totals;                       // calls of each case's install
  std::map<std::string, std::string> kept;  // what a clean removal leaves -> its cases
};

Walked WalkAll() {
  Walked all;
  for (int i = 0; i < kCaseCount; ++i) {
    std::string kept;
    std::vector<Outcome> outcomes = Walk(kCases[i], kept);
    all.kept[kept] += std::string(all.kept[kept].empty() ? "" : ", ") + kCases[i].name;
    all.totals +=
        std::string(i ? ", " : "") + kCases[i].name + " " + std::to_string(outcomes.size());
    for (const Outcome& o : outcomes) {
      Row& row = all.rows[o.step];
      ++row.cuts[i];
      row.calls.insert(o.call);
      ++row.second[o.second];
      ++row.printer[o.printer];
      ++row.left[o.left];
      ++row.after[o.after];
    }
  }
  return all;
}

std::string Table() {
  Walked all = WalkAll();
  std::ostringstream out;
  out << "Calls of one uninterrupted install: " << all.totals << ".\n\n";
  out << "| Step the power went in | Calls cut there | Cuts (XP P/S/U, Vista P/S/U) | "
         "Second install says | "
         "Working printer afterwards | Removal leaves beyond a clean one | "
         "Install after the removal says |\n";
  out << "|---|---|---|---|---|---|---|\n";
  for (const char* step : kSteps) {
    if (!all.rows.count(step)) continue;
    const Row& row = all.rows[step];
    std::string cuts;
    for (int i = 0; i < kCaseCount; ++i)
      cuts += (i == 0 ? "" : i == kCaseCount / 2 ? ", " : "/") + std::to_string(row.cuts[i]);
    std::string calls;
    for (const std::string& call : row.calls) calls += (calls.empty() ? "" : ", ") + call;
    out << "| " << (step == kSteps[0] ? "" : "after: ") << step << " | " << calls << " | " << cuts
        << " | " << Cell(row.second) << " | " << Cell(row.printer) << " | " << Cell(row.left)
        << " | " << Cell(row.after) << " |\n";
  }
  out << "\nWhat a clean install followed by the same removal leaves behind (the comparison's "
         "base):\n\n";
  for (const auto& k : all.kept) out << "- " << k.second << ": " << k.first << "\n";
  return out.str();
}

// The part of `text` between the markers; npos in `begin` when they are missing.
void FindTable(const std::string& text, size_t& begin, size_t& end) {
  begin = text.find(kBegin);
  end = begin == std::string::npos ? begin : text.find(kEnd, begin);
  if (end == std::string::npos) begin = std::string::npos;
  if (begin != std::string::npos) begin += strlen(kBegin);
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (argc == 1) {
    std::cout << Table();
    return 0;
  }
  if (argc != 3 || (mode != "--write" && mode != "--check")) {
    std::cerr << "usage: cutoff_walk [--write FILE | --check FILE]\n";
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t begin, end;
  FindTable(text, begin, end);
  if (begin == std::string::npos) {
    std::cerr << argv[2] << ": no table markers\n";
    return 2;
  }
  std::string table = Table();
  if (mode == "--check") {
    if (text.compare(begin, end - begin, table) == 0) return 0;
    std::cerr << argv[2] << " holds another table than the walk gives now; run\n"
              << "  build/native/cutoff_walk --write docs/interrupted-install.md\n"
              << "The walk gives:\n"
              << table;
    return 1;
  }
  text.replace(begin, end - begin, table);
  std::ofstream(argv[2], std::ios::binary) << text;
  return 0;
}
