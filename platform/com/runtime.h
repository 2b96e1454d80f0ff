#pragma once
// The COM runtime: apartments per thread, object creation through the registry, ProgIDs, and
// task memory.
//
// Object creation reads HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 (its default value is
// the module's file), loads that module once per process (dlopen; it stays loaded) and asks
// its exported DllGetClassObject. There are no proxies between apartments for objects: every
// in-process class here is free-threaded and called directly from any apartment. Calls back
// into a single-threaded apartment (event sinks) go through its call queue (apartment.h).

#include "platform/com/unknown.h"

inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
inline constexpr DWORD COINIT_DISABLE_OLE1DDE = 0x4;
inline constexpr DWORD COINIT_SPEED_OVER_MEMORY = 0x8;

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
inline constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
inline constexpr DWORD CLSCTX_ALL = CLSCTX_SERVER | CLSCTX_INPROC_HANDLER;

// The first call on a thread makes it a single-threaded (COINIT_APARTMENTTHREADED) or
// multithreaded apartment and returns S_OK; later calls of the same kind count and return
// S_FALSE; a call of the other kind returns RPC_E_CHANGED_MODE and counts nothing. Each
// successful call is paired with one CoUninitialize; the last one leaves the apartment (a
// single-threaded apartment's queued calls then fail with RPC_E_DISCONNECTED).
HRESULT CoInitializeEx(void* reserved, DWORD coinit);
HRESULT CoInitialize(void* reserved);
void CoUninitialize();

// CO_E_NOTINITIALIZED on a thread outside any apartment; REGDB_E_CLASSNOTREG when the class
// has no InprocServer32; the module's load failure as HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
// CO_E_ERRORINDLL when it exports no DllGetClassObject; else what the module answers.
HRESULT CoGetClassObject(REFCLSID rclsid, DWORD clsctx, void* serverInfo, REFIID riid, void** ppv);
// CoGetClassObject, then IClassFactory::CreateInstance(outer, riid, ppv).
HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* outer, DWORD clsctx, REFIID riid, void** ppv);

// HKCR\<ProgID>: its CurVer (followed to the versioned ProgID) and then its CLSID.
// CO_E_CLASSSTRING for an unknown ProgID.
HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid);
// HKCR\CLSID\{clsid}\ProgID, in task memory (CoTaskMemFree). REGDB_E_CLASSNOTREG when none.
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId);

void* CoTaskMemAlloc(std::size_t size);
void* CoTaskMemRealloc(void* block, std::size_t size);
void CoTaskMemFree(void* block);

namespace com {

enum class apartment_kind { none, single_threaded, multithreaded };
// The calling thread's apartment.
apartment_kind current_apartment();

} // namespace com
