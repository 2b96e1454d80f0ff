#pragma once
// The registry: a Win32-shaped API over a file-backed hierarchical store. Keys and value
// names compare without regard to case; the null or empty name is the key's default value.
// Which file is read and written, and which one is read beneath it, registry_location.h
// tells ($OSTREL_REGISTRY, else a build tree's own registry, else the per-user registry above
// the system one). Several processes may share the files: each call sees their latest
// contents and every change is written atomically under a lock.
//
// HKEY_CLASSES_ROOT is a tree of its own here, not a merged view of the machine's and the
// user's Software\Classes: class, type-library and control registrations all live in it.

#include "platform/win32/win_types.h"

#include <cstdint>
#include <functional>
#include <string>

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000003u));

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001u;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002u;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004u;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008u;
inline constexpr REGSAM KEY_NOTIFY = 0x0010u;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020u;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100u;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200u;
inline constexpr REGSAM DELETE = 0x00010000u;
inline constexpr REGSAM READ_CONTROL = 0x00020000u;
inline constexpr REGSAM KEY_READ = 0x00020019u;
inline constexpr REGSAM KEY_EXECUTE = KEY_READ;
inline constexpr REGSAM KEY_WRITE = 0x00020006u;
inline constexpr REGSAM KEY_ALL_ACCESS = 0x000F003Fu;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// All calls return a Win32 code (ERROR_SUCCESS on success). A key opened without
// KEY_SET_VALUE / KEY_CREATE_SUB_KEY refuses the matching writes with ERROR_ACCESS_DENIED; a
// handle whose key was deleted meanwhile answers ERROR_KEY_DELETED.
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM desired,
                     void* security, PHKEY result, LPDWORD disposition);
LONG RegCloseKey(HKEY key);
// REG_SZ data is returned with its terminating NUL (cbData counts bytes). A null `data` asks
// for the size only; a buffer that is too small gives ERROR_MORE_DATA and the size needed.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD cbData);
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD cbData);
// Fails with ERROR_ACCESS_DENIED when the key has subkeys, as Windows does.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
// Deletes the subkey and all it holds; with a null `subKey`, the key's values and subkeys.
LONG RegDeleteTreeW(HKEY key, LPCWSTR subKey);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// Enumeration in order of names without regard to case; ERROR_NO_MORE_ITEMS past the end.
// cchName is in characters, in: buffer size with the NUL, out: length without it.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD cchName, LPDWORD reserved, LPWSTR keyClass,
                   LPDWORD cchClass, PFILETIME lastWriteTime);
LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD cchValueName, LPDWORD reserved, LPDWORD type,
                   LPBYTE data, LPDWORD cbData);
LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD cchClass, LPDWORD reserved, LPDWORD subKeys,
                      LPDWORD maxSubKeyLen, LPDWORD maxClassLen, LPDWORD values, LPDWORD maxValueNameLen,
                      LPDWORD maxValueLen, LPDWORD securityDescriptor, PFILETIME lastWriteTime);

// The "ANSI" forms: names and string data in the system encoding, UTF-8 here. String data
// comes back as UTF-8 with its NUL, and cbData counts those bytes.
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD cbData);

namespace win32 {

// The file the store currently writes (UTF-8 path).
std::string registry_file_path();

// Why the registry is unusable now (naming the file and the reason), for the error a user
// sees; empty while it can be read.
std::string registry_failure();

// Makes every registry change that `changes` makes on this thread one change of the file, as a
// registration writes many keys: the file is locked and read once before `changes` runs, its
// reads see its own changes, and the whole is written in one save when it succeeds. When it
// fails (or throws) nothing of it is written and its HRESULT is the result; when the registry
// cannot be locked or read it does not run, and the failure is the result
// (HRESULT_FROM_WIN32). Other threads' registry calls wait until it ends, so `changes` must
// not wait for them. A batch within a batch joins it: its failure fails the whole.
HRESULT registry_batch(const std::function<HRESULT()>& changes);

} // namespace win32
