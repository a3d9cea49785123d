// The list report: one line per entry with sizes, local date and time,
// attributes, method and the stored name (the same bytes as the entry record).
#include <cstdio>

#include "commands.h"
#include "result_codes.h"
#include "text.h"

namespace standin {

int RunList(Family family, const Request& request, std::string& report) {
  ArchiveReader reader;
  int rc = reader.Open(family, AnsiToWide(request.archive), request.password);
  if (rc != kOk) {
    report = (rc == kErrArchiveOpen ? "Cannot open " : "Not an archive: ") + Printable(request.archive) + "\r\n";
    return rc;
  }
  report.clear();
  // 7-Zip style heading: self-extracting probes look for the "Type = 7z" line.
  report += "Path = " + Printable(request.archive) + "\r\n";
  report += "Type = " + reader.TypeName() + "\r\n\r\n";
  report += "    Original       Packed Ratio Date       Time     Attr    Method  Name\r\n";
  report += "------------ ------------ ----- ---------- -------- ------- ------- ----------------\r\n";
  Selection selection(request.names, request.namesGiven);
  std::uint64_t totalSize = 0, totalPacked = 0;
  size_t files = 0, folders = 0;
  int result = kOk;
  std::string readError;
  // Names are printable (see FillInfo): each entry stays one line.
  int r = ForEachSelected(family, request, selection, reader, [&](ArchiveReader&, const EntryInfo& entry) {
    unsigned short date = 0, time = 0;
    ToDosDateTime(entry, date, time);
    char ratio[8] = "  -  ";
    if (entry.packedSize && entry.size > 0)
      std::snprintf(ratio, sizeof ratio, "%4u%%",
                    static_cast<unsigned>((*entry.packedSize * 100 + entry.size / 2) / entry.size));
    char packed[24] = "           -";
    if (entry.packedSize) std::snprintf(packed, sizeof packed, "%12llu", static_cast<unsigned long long>(*entry.packedSize));
    char line[160];
    std::snprintf(line, sizeof line, "%12llu %s %s %04u-%02u-%02u %02u:%02u:%02u %-7s %-7s ",
                  static_cast<unsigned long long>(entry.size), packed, ratio, 1980u + (date >> 9),
                  (date >> 5) & 15u, date & 31u, time >> 11, (time >> 5) & 63u, (time & 31u) * 2,
                  entry.attributes.c_str(), entry.method.c_str());
    report += line + entry.recordName + "\r\n";
    if (entry.isDirectory) {
      ++folders;
    } else {
      ++files;
      totalSize += entry.size;
      totalPacked += entry.packedSize.value_or(0);
    }
    return true;
  }, readError);
  if (r != kOk) {
    report += "Error: " + readError + "\r\n";
    result = r;
  }
  char footer[160];
  std::snprintf(footer, sizeof footer,
                "------------ ------------\r\n%12llu %12llu %zu file(s), %zu folder(s)\r\n",
                static_cast<unsigned long long>(totalSize), static_cast<unsigned long long>(totalPacked), files,
                folders);
  report += footer;
  for (const std::string& name : selection.Unmatched()) {
    report += "Not found: " + name + "\r\n";
    if (result == kOk) result = kErrNotFound;
  }
  return result;
}

}  // namespace standin
