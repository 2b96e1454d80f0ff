#pragma once
// The scalar types of OLE Automation, with their Windows sizes (see platform/win32/win_types.h).

#include "platform/win32/win_errors.h"
#include "platform/win32/win_types.h"

using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;
using VARIANT_BOOL = std::int16_t;
using VARTYPE = std::uint16_t;
using DATE = double;
using DISPID = LONG;
using MEMBERID = DISPID;
using FLOAT = float;
using DOUBLE = double;
using CHAR = char;
using PVOID = void*;

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;
