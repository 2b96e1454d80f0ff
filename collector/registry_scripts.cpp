#include "collector/registry_scripts.h"

#include <string>

namespace registry_scripts {

namespace {

// The three scripts share one form: NAME and CLSID_TEXT stand for the class's name and
// identifier (%MODULE% is the registrar's own replacement).
constexpr const char16_t* kTemplate = uR"rgs(HKCR
{
	OstrelCollector.NAME.1 = s 'NAME Class'
	{
		CLSID = s 'CLSID_TEXT'
	}
	OstrelCollector.NAME = s 'NAME Class'
	{
		CLSID = s 'CLSID_TEXT'
		CurVer = s 'OstrelCollector.NAME.1'
	}
	NoRemove CLSID
	{
		ForceRemove CLSID_TEXT = s 'NAME Class'
		{
			ProgID = s 'OstrelCollector.NAME.1'
			VersionIndependentProgID = s 'OstrelCollector.NAME'
			ForceRemove 'Programmable'
			InprocServer32 = s '%MODULE%'
			{
				val ThreadingModel = s 'Free'
			}
			'TypeLib' = s '{37BBB4B6-3E12-4F77-93FB-E6795BB31482}'
		}
	}
}
)rgs";

std::u16string replace_all(std::u16string text, std::u16string_view from, std::u16string_view to)
{
    for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::u16string make(std::u16string_view name, std::u16string_view clsid)
{
    return replace_all(replace_all(kTemplate, u"CLSID_TEXT", clsid), u"NAME", name);
}

} // namespace

const char16_t* script(int id)
{
    static const std::u16string collector = make(u"OstrelCollector", u"{1F0B29AD-1CB8-4F95-99C1-563E3BDFA6D9}");
    static const std::u16string info = make(u"OstrelInfo", u"{D2F4BA9A-D3F7-4335-91F9-1BB12B615CB2}");
    static const std::u16string collection = make(u"OstrelInfoCollection", u"{18D42C92-D907-4190-A4DD-010E8FB94CEF}");
    switch (id) {
    case IDR_OSTRELCOLLECTOR: return collector.c_str();
    case IDR_OSTRELINFO: return info.c_str();
    case IDR_OSTRELINFOCOLLECTION: return collection.c_str();
    default: return nullptr;
    }
}

} // namespace registry_scripts
