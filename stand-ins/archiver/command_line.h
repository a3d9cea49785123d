// Command lines of the thirteen archiver families: a tokenizer shared by all,
// and one switch grammar per family that turns the tokens into a Request.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// One family per command function; the DLL file name does not matter.
enum class Family { Lha, UnZip32, LmZip, ZipJ, SevenZip, Cab, Rar, Tar, Iso, Gca, Bga, Arj, Yz1 };

const char* FamilyName(Family family);

enum class Action { None, Extract, List, Test, Delete, Unsupported };
enum class Overwrite { Replace, Skip };

struct Request {
  Action action = Action::None;
  bool keepFolders = true;
  Overwrite overwrite = Overwrite::Replace;
  std::optional<std::string> password;  // ANSI bytes as given
  std::string archive;                   // ANSI path
  std::string destination;               // ANSI folder; empty = none given
  std::vector<std::string> names;        // selection: response-file lines and plain names (ANSI)
  bool namesGiven = false;               // a response file or a name was given (even if empty)
  std::string error;                     // set when the line cannot be used
  int errorCode = 0;
};

// Double quotes group and may start or end inside a token ("-pmy pass",
// -o"C:\dest\"); a backslash is an ordinary character, as archivers read it.
std::vector<std::string> Tokenize(std::string_view line);

Request ParseCommandLine(Family family, std::string_view line);

// Lines of a list file ("@file" / "!file"): ANSI text, one path per line,
// quoted or not, CR LF or LF, blank lines ignored. False when unreadable.
bool ReadListFile(const std::string& ansiPath, std::vector<std::string>& out);

}  // namespace standin
