// The control library's type library read back as a client reads it: from the registry, through
// ITypeLib and ITypeInfo, written out one member per line and compared with the published
// interfaces, members, DISPIDs, kinds, types, help strings, enumerations and classes in
// kycomctl_typelib.txt beside this test.

#include "platform/com/atl/com_ptr.h"
#include "platform/com/atl/type_library.h"
#include "platform/com/bstr.h"
#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/object_dispatch.h"
#include "platform/forms/hosting/public_classes.h"
#include "platform/win32/registry.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

extern "C" HRESULT DllRegisterServer();
extern "C" HRESULT DllUnregisterServer();

namespace {

constexpr GUID kLibId = com::make_guid("1846CFC2-A469-4537-A278-88C57DA10F1C");

GUID guid(const char* text)
{
    GUID g{};
    const std::string braced = std::string("{") + text + "}";
    EXPECT_TRUE(com::parse_guid(std::u16string(braced.begin(), braced.end()), g)) << text;
    return g;
}

std::u16string text(BSTR b)
{
    std::u16string s(com::bstr_view(b));
    SysFreeString(b);
    return s;
}

std::string utf8(const std::u16string& s)
{
    std::string out;
    for (char16_t c : s)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::string vt_name(VARTYPE vt)
{
    std::string by_ref = (vt & VT_BYREF) ? "*" : "";
    switch (vt & ~VT_BYREF) {
    case VT_EMPTY: return "-";
    case VT_I2: return "VT_I2" + by_ref;
    case VT_I4: return "VT_I4" + by_ref;
    case VT_R4: return "VT_R4" + by_ref;
    case VT_R8: return "VT_R8" + by_ref;
    case VT_BSTR: return "VT_BSTR" + by_ref;
    case VT_DISPATCH: return "VT_DISPATCH" + by_ref;
    case VT_BOOL: return "VT_BOOL" + by_ref;
    case VT_VARIANT: return "VT_VARIANT" + by_ref;
    case VT_UNKNOWN: return "VT_UNKNOWN" + by_ref;
    case VT_UI4: return "VT_UI4" + by_ref;
    case VT_RECORD: return "VT_RECORD" + by_ref;
    default: return "vt" + std::to_string(vt & ~VT_BYREF) + by_ref;
    }
}

// DISPIDs as the published tables write them: &H and eight hex digits for the generated ones.
std::string dispid_text(DISPID id)
{
    if (id > 0xFFFF) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "&H%08X", static_cast<unsigned>(id));
        return buffer;
    }
    return std::to_string(id);
}

std::string guid_text(const GUID& g)
{
    return utf8(com::guid_to_string(g));
}

std::string help_suffix(const std::u16string& help)
{
    return help.empty() ? "" : " \"" + utf8(help) + "\"";
}

const char* kind_text(INVOKEKIND k)
{
    switch (k) {
    case INVOKE_PROPERTYGET: return "get";
    case INVOKE_PROPERTYPUT: return "let";
    case INVOKE_PROPERTYPUTREF: return "set";
    default: return "call";
    }
}

class KyComCtlTypeLibTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DllRegisterServer(), S_OK);
        ASSERT_EQ(com::tlb::load_registered_type_lib(kLibId, 1, 0, &lib_), S_OK);
    }

    CComPtr<ITypeInfo> info_of(const char* iid)
    {
        CComPtr<ITypeInfo> info;
        EXPECT_EQ(lib_->GetTypeInfoOfGuid(guid(iid), &info), S_OK) << iid;
        return info;
    }

    std::u16string name_of(ITypeInfo* info, MEMBERID id = MEMBERID_NIL, std::u16string* help = nullptr)
    {
        BSTR name = nullptr, doc = nullptr;
        EXPECT_EQ(info->GetDocumentation(id, &name, help ? &doc : nullptr, nullptr, nullptr), S_OK);
        if (help != nullptr)
            *help = text(doc);
        return text(name);
    }

    // A dispatch interface: its own line, then one line per accessor or event in interface order.
    void dump_interface(ITypeInfo* info, const TYPEATTR& attr, std::vector<std::string>& out)
    {
        const std::string itf = utf8(name_of(info));
        const bool dual = (attr.wTypeFlags & TYPEFLAG_FDUAL) != 0;
        out.push_back("interface " + itf + " " + guid_text(attr.guid) + " " + std::to_string(attr.wMajorVerNum) +
                      "." + std::to_string(attr.wMinorVerNum) + (dual ? " dual" : ""));
        const bool events = itf.starts_with("__");
        for (UINT i = 0; i < attr.cFuncs; ++i) {
            FUNCDESC* f = nullptr;
            if (info->GetFuncDesc(i, &f) != S_OK) {
                out.push_back(itf + ": no description of function " + std::to_string(i));
                continue;
            }
            std::u16string help;
            const std::string name = utf8(name_of(info, f->memid, &help));
            std::string line;
            if (events) {
                line = "event " + itf + "." + name + " " + dispid_text(f->memid) + " (";
                for (SHORT p = 0; p < f->cParams; ++p)
                    line += (p ? ", " : "") + vt_name(f->lprgelemdescParam[p].vt);
                line += ")";
            } else {
                const INVOKEKIND k = f->invkind;
                line = "member " + itf + "." + name + " " + kind_text(k) + " " + dispid_text(f->memid);
                // The value: a get's or a method's result (the last, retval argument), a let's
                // or set's last argument.
                const bool returns = k == INVOKE_PROPERTYGET || k == INVOKE_FUNC;
                const bool has_value =
                    f->cParams > 0 && (!returns || (f->lprgelemdescParam[f->cParams - 1].wParamFlags & PARAMFLAG_FRETVAL));
                line += " " + (has_value ? vt_name(f->lprgelemdescParam[f->cParams - 1].vt & ~VT_BYREF) : "-");
                if (has_value && returns == false &&
                    (f->lprgelemdescParam[f->cParams - 1].wParamFlags & PARAMFLAG_FRETVAL))
                    line += " retval";
                if (k == INVOKE_PROPERTYGET && !has_value)
                    line += " no-retval";
                if (f->wFuncFlags & FUNCFLAG_FUIDEFAULT)
                    line += " ui-default";
            }
            if (f->funckind != FUNC_DISPATCH)
                line += " not-dispatch";
            out.push_back(line + help_suffix(help));
            info->ReleaseFuncDesc(f);
        }
    }

    void dump_enum(ITypeInfo* info, const TYPEATTR& attr, std::vector<std::string>& out)
    {
        const std::string e = utf8(name_of(info));
        for (UINT v = 0; v < attr.cVars; ++v) {
            VARDESC* var = nullptr;
            if (info->GetVarDesc(v, &var) != S_OK) {
                out.push_back(e + ": no description of value " + std::to_string(v));
                continue;
            }
            BSTR value_name = nullptr;
            UINT count = 0;
            EXPECT_EQ(info->GetNames(var->memid, &value_name, 1, &count), S_OK);
            out.push_back("enum " + e + "." + utf8(text(value_name)) + " " + std::to_string(var->lVal));
            info->ReleaseVarDesc(var);
        }
    }

    // A class: its identifier, version, whether a client may create it and place it as a
    // control, its default interface and its event interface.
    void dump_class(ITypeInfo* info, const TYPEATTR& attr, std::vector<std::string>& out)
    {
        std::string line = "class " + utf8(name_of(info)) + " " + guid_text(attr.guid) + " " +
                           std::to_string(attr.wMajorVerNum) + "." + std::to_string(attr.wMinorVerNum);
        line += (attr.wTypeFlags & TYPEFLAG_FCANCREATE) ? " creatable" : " listed";
        if (attr.wTypeFlags & TYPEFLAG_FCONTROL)
            line += " control";
        for (UINT i = 0; i < attr.cImplTypes; ++i) {
            DWORD ref = 0;
            INT flags = 0;
            CComPtr<ITypeInfo> itf;
            if (info->GetRefTypeOfImplType(i, &ref) != S_OK || info->GetImplTypeFlags(i, &flags) != S_OK ||
                info->GetRefTypeInfo(ref, &itf) != S_OK) {
                line += " ?";
                continue;
            }
            line += std::string((flags & IMPLTYPEFLAG_FSOURCE) ? " source " : " default ") + utf8(name_of(itf));
        }
        out.push_back(line);
    }

    // Everything a client finds by walking the library, in the library's order.
    std::vector<std::string> dump()
    {
        std::vector<std::string> out;
        for (UINT i = 0; i < lib_->GetTypeInfoCount(); ++i) {
            CComPtr<ITypeInfo> info;
            TYPEATTR* attr = nullptr;
            if (lib_->GetTypeInfo(i, &info) != S_OK || info->GetTypeAttr(&attr) != S_OK) {
                out.push_back("no type information at " + std::to_string(i));
                continue;
            }
            switch (attr->typekind) {
            case TKIND_DISPATCH: dump_interface(info, *attr, out); break;
            case TKIND_ENUM: dump_enum(info, *attr, out); break;
            case TKIND_COCLASS: dump_class(info, *attr, out); break;
            default: out.push_back("type of kind " + std::to_string(attr->typekind) + " at " + std::to_string(i));
            }
            info->ReleaseTypeAttr(attr);
        }
        return out;
    }

    // "alias {X} _Name": X finds the interface _Name, and the registry knows X as an interface of
    // this library.
    std::string resolve_alias(const std::string& alias)
    {
        const std::string id = alias.substr(1, alias.size() - 2);
        CComPtr<ITypeInfo> info = info_of(id.c_str());
        if (!info)
            return "alias " + alias + " unknown";
        std::string line = "alias " + alias + " " + utf8(name_of(info));
        const std::string key = "Interface\\" + alias + "\\TypeLib";
        HKEY h = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, std::u16string(key.begin(), key.end()).c_str(), 0, KEY_READ, &h) !=
            ERROR_SUCCESS)
            line += " unregistered";
        if (h != nullptr)
            RegCloseKey(h);
        return line;
    }

    ostrel::test::temp_registry registry_;
    CComPtr<ITypeLib> lib_;
};

// The published table: one line per accessor, event, enumeration value, class and alias; '#'
// starts a note.
std::vector<std::string> published()
{
    std::ifstream in(OSTREL_KYCOMCTL_TYPELIB_TABLE);
    EXPECT_TRUE(in) << OSTREL_KYCOMCTL_TYPELIB_TABLE;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        lines.push_back(line);
    }
    return lines;
}

TEST_F(KyComCtlTypeLibTest, TheRegisteredLibraryReadsBackAsPublished)
{
    const std::vector<std::string> table = published();
    ASSERT_FALSE(table.empty());
    std::vector<std::string> expected, found = dump();
    for (const std::string& line : table) {
        if (line.starts_with("alias "))
            found.push_back(resolve_alias(line.substr(6, line.find(' ', 6) - 6)));
        else
            expected.push_back(line);
    }
    for (const std::string& line : table)
        if (line.starts_with("alias "))
            expected.push_back(line);
    // Each line that differs is its own failure.
    const std::multiset<std::string> want(expected.begin(), expected.end()), got(found.begin(), found.end());
    for (const std::string& line : expected)
        if (got.count(line) == 0)
            ADD_FAILURE() << "published, not in the library: " << line;
    for (const std::string& line : found)
        if (want.count(line) == 0)
            ADD_FAILURE() << "in the library, not published: " << line;
    // The same lines in the published order: the interface order is what a client's browser and
    // a designer show.
    if (want == got) {
        const auto [a, b] = std::mismatch(expected.begin(), expected.end(), found.begin());
        EXPECT_TRUE(a == expected.end()) << "out of order: published " << *a << ", found " << *b;
    }
}

TEST_F(KyComCtlTypeLibTest, EveryCreatableClassIsOneTheLibraryCreates)
{
    for (const std::string& line : published()) {
        if (!line.starts_with("class ") || line.find(" creatable") == std::string::npos)
            continue;
        SCOPED_TRACE(line);
        const std::size_t brace = line.find('{');
        const QString clsid = QString::fromStdString(line.substr(brace, line.find('}') - brace + 1));
        EXPECT_TRUE(forms::ControlClasses::find(clsid) != nullptr || forms::PublicClasses::find(clsid) != nullptr);
    }
}

TEST_F(KyComCtlTypeLibTest, UnregistrationRemovesTheLibraryAndItsInterfacesAndNothingElse)
{
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    const std::string without = registry_.text();
    ASSERT_EQ(DllRegisterServer(), S_OK);
    EXPECT_NE(registry_.text(), without);
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    EXPECT_EQ(registry_.text(), without);
    CComPtr<ITypeLib> gone;
    EXPECT_EQ(com::tlb::load_registered_type_lib(kLibId, 1, 0, &gone), TYPE_E_LIBNOTREGISTERED);
    for (const char* key :
         {"TypeLib\\{1846CFC2-A469-4537-A278-88C57DA10F1C}", "Interface\\{0679F701-5F06-4ACA-A8CD-19029CCBE5F3}",
          "Interface\\{81D42C3E-88F3-467A-8C90-D704F92E6211}", "Interface\\{53BE86AE-D956-4393-A69E-14C048E30242}",
          "CLSID\\{FAA454D0-0406-4890-B357-826252DD696C}"}) {
        HKEY h = nullptr;
        const std::string k(key);
        EXPECT_NE(RegOpenKeyExW(HKEY_CLASSES_ROOT, std::u16string(k.begin(), k.end()).c_str(), 0, KEY_READ, &h),
                  ERROR_SUCCESS)
            << key;
        if (h != nullptr)
            RegCloseKey(h);
    }
}

} // namespace
