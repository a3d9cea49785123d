#include "call_log.h"

#include "text.h"

namespace standin {

namespace {

std::wstring ModuleFileName() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModuleFileName), &self);
  wchar_t buf[32768];
  DWORD n = GetModuleFileNameW(self, buf, 32768);
  return LastComponent(std::wstring_view(buf, n));
}

std::string Field(std::wstring_view text) {
  std::wstring safe;
  for (wchar_t c : text) safe += c < 0x20 ? static_cast<wchar_t>(0x2400 + c) : c;
  return WideToUtf8(safe);
}

}  // namespace

std::string HexValue(unsigned long long value) {
  char buf[32];
  wsprintfA(buf, "0x%I64X", value);
  return buf;
}

std::wstring CallLogPath() {
  wchar_t logPath[32768];
  DWORD n = GetEnvironmentVariableW(L"QUIB_ARCHIVER_LOG", logPath, 32768);
  if (n == 0 || n >= 32768) return {};
  return std::wstring(logPath, n);
}

void LogCall(const char* entryPoint, const std::string& owner, std::wstring_view argument,
             const std::string& extra, const std::string& result) {
  LogCallTo(CallLogPath(), entryPoint, owner, argument, extra, result);
}

void LogCallTo(const std::wstring& logPath, const char* entryPoint, const std::string& owner,
               std::wstring_view argument, const std::string& extra, const std::string& result) {
  if (logPath.empty()) return;
  std::string line = std::string(entryPoint) + "\t" + Field(ModuleFileName()) + "\t" + owner + "\t" +
                     Field(argument) + "\t" + extra + "\t" + result + "\n";
  // One WriteFile in append mode per line keeps lines whole between processes.
  HANDLE h = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD done = 0;
  WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
  CloseHandle(h);
}

}  // namespace standin
