#include "command_line.h"

#include <windows.h>

#include "result_codes.h"
#include "text.h"

namespace standin {

const char* FamilyName(Family family) {
  switch (family) {
    case Family::Lha: return "Unlha";
    case Family::UnZip32: return "UnZip";
    case Family::LmZip: return "Unzip";
    case Family::ZipJ: return "Zip";
    case Family::SevenZip: return "SevenZip";
    case Family::Cab: return "Cab";
    case Family::Rar: return "Unrar";
    case Family::Tar: return "Tar";
    case Family::Iso: return "UnIso";
    case Family::Gca: return "UnGCA";
    case Family::Bga: return "Bga";
    case Family::Arj: return "Unarj";
    case Family::Yz1: return "Yz1";
  }
  return "?";
}

std::vector<std::string> Tokenize(std::string_view line) {
  std::vector<std::string> tokens;
  std::string current;
  bool inToken = false, quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inToken = true;  // "" is an (empty) argument of its own
    } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (inToken) tokens.push_back(current);
      current.clear();
      inToken = false;
    } else {
      current += c;
      inToken = true;
    }
  }
  if (inToken) tokens.push_back(current);
  return tokens;
}

bool ReadListFile(const std::string& ansiPath, std::vector<std::string>& out) {
  std::wstring path = AnsiToWide(ansiPath);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string data;
  char buf[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buf, sizeof buf, &got, nullptr) != FALSE) && got > 0) data.append(buf, got);
  CloseHandle(file);
  if (!ok) return false;
  size_t start = 0;
  while (start <= data.size()) {
    size_t end = data.find_first_of("\r\n", start);
    if (end == std::string::npos) end = data.size();
    std::string lineText = data.substr(start, end - start);
    while (!lineText.empty() && (lineText.back() == ' ' || lineText.back() == '\t')) lineText.pop_back();
    size_t lead = lineText.find_first_not_of(" \t");
    lineText = lead == std::string::npos ? std::string() : lineText.substr(lead);
    if (lineText.size() >= 2 && lineText.front() == '"' && lineText.back() == '"')
      lineText = lineText.substr(1, lineText.size() - 2);
    if (!lineText.empty()) out.push_back(lineText);
    start = end + 1;
  }
  return true;
}

namespace {

bool EndsWithSeparator(const std::string& s) { return !s.empty() && (s.back() == '\\' || s.back() == '/'); }

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::string Lower(std::string s) {
  for (auto& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Positional arguments after the switches: the archive first, then (where the
// family takes one) a destination folder recognised by its final separator,
// then list files and names.
void TakePositionals(const std::vector<std::string>& positionals, bool destinationAllowed,
                     char listMark, Request& request) {
  for (size_t i = 0; i < positionals.size(); ++i) {
    const std::string& arg = positionals[i];
    if (i == 0) {
      request.archive = arg;
    } else if (i == 1 && destinationAllowed && request.destination.empty() && EndsWithSeparator(arg) &&
               arg[0] != listMark) {
      request.destination = arg;
    } else if (!arg.empty() && (arg[0] == listMark || (listMark != '@' && arg[0] == '@'))) {
      request.namesGiven = true;
      if (!ReadListFile(arg.substr(1), request.names)) {
        request.errorCode = kErrResponseFile;
        request.error = "cannot read list file " + arg.substr(1);
      }
    } else if (!arg.empty()) {
      request.namesGiven = true;
      request.names.push_back(arg);
    }
  }
}

// Families whose first bare word is the command (LHA, 7-Zip, ISO, GCA, BGA, ARJ, YZ1).
Action LetterCommand(const std::string& word, bool& keepFolders) {
  std::string w = Lower(word);
  if (w == "x") { keepFolders = true; return Action::Extract; }
  if (w == "e") { keepFolders = false; return Action::Extract; }
  if (w == "l" || w == "v" || w == "vv" || w == "lt") return Action::List;
  if (w == "t") return Action::Test;
  if (w == "d") return Action::Delete;
  if (w == "a" || w == "u" || w == "m" || w == "f" || w == "c" || w == "rn") return Action::Unsupported;
  return Action::None;
}

Request ParseLetterFamily(Family family, const std::vector<std::string>& tokens) {
  Request r;
  std::vector<std::string> positionals;
  bool haveCommand = false;
  for (const std::string& t : tokens) {
    if (t.size() > 1 && t[0] == '-') {
      std::string sw = Lower(t.substr(1));
      if (family == Family::SevenZip || family == Family::Iso) {
        if (sw == "aos" || sw == "aou" || sw == "aot") r.overwrite = Overwrite::Skip;
        else if (sw == "aoa") r.overwrite = Overwrite::Replace;
        else if (family == Family::SevenZip && sw[0] == 'o') r.destination = t.substr(2);
        else if (family == Family::SevenZip && t[1] == 'p') r.password = t.substr(2);
      } else if (family == Family::Gca) {
        if (sw == "xx0") r.keepFolders = false;
        else if (sw == "xx1") r.keepFolders = true;
      } else if (family == Family::Bga) {
        if (sw == "j") r.keepFolders = false;
      } else if (family == Family::Yz1) {
        if (sw == "x0") r.keepFolders = false;
        else if (sw == "x1") r.keepFolders = true;
      }
      continue;  // everything else only shapes dialogs and messages here
    }
    if (!haveCommand) {
      bool keep = r.keepFolders;
      r.action = LetterCommand(t, keep);
      haveCommand = true;
      if (r.action == Action::None) {
        r.errorCode = kErrCommand;
        r.error = "unknown command " + t;
        return r;
      }
      // GCA and YZ1 choose folders by switch; their command letter does not.
      if (family != Family::Gca && family != Family::Yz1 && family != Family::Bga) r.keepFolders = keep;
      continue;
    }
    positionals.push_back(t);
  }
  bool destinationAllowed = family != Family::SevenZip && family != Family::Bga;
  char listMark = family == Family::Arj ? '!' : '@';
  TakePositionals(positionals, destinationAllowed, listMark, r);
  return r;
}

// Families driven by dash switches (UNZIP32, LMZIP32, ZIP32J, CAB, RAR, TAR).
Request ParseSwitchFamily(Family family, const std::vector<std::string>& tokens) {
  Request r;
  if (family == Family::LmZip) {
    r.keepFolders = false;  // LMZIP32 keeps stored folders only with -j
    r.action = Action::Extract;
  }
  if (family == Family::ZipJ) r.action = Action::Unsupported;  // only deletion is offered
  std::vector<std::string> positionals;
  for (const std::string& t : tokens) {
    if (t.size() < 2 || t[0] != '-') {
      positionals.push_back(t);
      continue;
    }
    if ((family == Family::UnZip32 || family == Family::LmZip || family == Family::ZipJ) && t[1] == 'P') {
      r.password = t.substr(2);
      continue;
    }
    if (family == Family::Rar && t[1] == 'p' && t.size() > 2 && t != "-p-") {
      r.password = t.substr(2);
      continue;
    }
    std::string sw = Lower(t);
    if (family == Family::Tar) {
      if (StartsWith(sw, "--use-directory=")) r.keepFolders = sw != "--use-directory=0";
      if (StartsWith(sw, "--")) continue;
      for (char c : sw.substr(1)) {
        if (c == 'x') r.action = Action::Extract;
        else if (c == 't') r.action = Action::List;
      }
      continue;
    }
    if (sw == "-x") {
      r.action = Action::Extract;
      if (family == Family::Rar) r.keepFolders = true;
    } else if (sw == "-e" && family == Family::Rar) {
      r.action = Action::Extract;
      r.keepFolders = false;
    } else if (sw == "-v" || sw == "-l") {
      r.action = Action::List;
    } else if (sw == "-t") {
      r.action = Action::Test;
    } else if (sw == "-d" && (family == Family::LmZip || family == Family::ZipJ)) {
      r.action = Action::Delete;
    } else if (sw == "-j") {
      r.keepFolders = family == Family::LmZip;
    } else if (sw == "-n" || sw == "-o-") {
      r.overwrite = Overwrite::Skip;
    } else if (sw == "-o" || sw == "-o+") {
      r.overwrite = Overwrite::Replace;
    }
  }
  bool destinationAllowed = family != Family::ZipJ;
  TakePositionals(positionals, destinationAllowed, '@', r);
  if (family == Family::ZipJ && r.action == Action::Delete) return r;
  if (r.action == Action::None && r.errorCode == 0) {
    r.errorCode = kErrCommand;
    r.error = "no command switch";
  }
  return r;
}

}  // namespace

Request ParseCommandLine(Family family, std::string_view line) {
  std::vector<std::string> tokens = Tokenize(line);
  Request r;
  switch (family) {
    case Family::Lha:
    case Family::SevenZip:
    case Family::Iso:
    case Family::Gca:
    case Family::Bga:
    case Family::Arj:
    case Family::Yz1:
      r = ParseLetterFamily(family, tokens);
      break;
    default:
      r = ParseSwitchFamily(family, tokens);
      break;
  }
  if (r.errorCode == 0 && r.action == Action::None) {
    r.errorCode = kErrCommand;
    r.error = "no command";
  }
  if (r.errorCode == 0 && r.archive.empty() && r.action != Action::Unsupported) {
    r.errorCode = kErrCommand;
    r.error = "no archive named";
  }
  return r;
}

}  // namespace standin
