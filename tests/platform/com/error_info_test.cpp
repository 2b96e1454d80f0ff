#include "platform/com/error_info.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

IErrorInfo* make_error(const OLECHAR* description)
{
    ICreateErrorInfo* create = nullptr;
    EXPECT_EQ(CreateErrorInfo(&create), S_OK);
    create->SetDescription(const_cast<LPOLESTR>(description));
    IErrorInfo* info = nullptr;
    EXPECT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
    create->Release();
    return info;
}

TEST(ErrorInfo, GetHandsOverAndClears)
{
    IErrorInfo* info = make_error(u"broken");
    ASSERT_EQ(SetErrorInfo(0, info), S_OK);
    info->Release();
    IErrorInfo* got = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &got), S_OK);
    BSTR text = nullptr;
    got->GetDescription(&text);
    EXPECT_EQ(com::bstr_view(text), u"broken");
    SysFreeString(text);
    got->Release();
    EXPECT_EQ(GetErrorInfo(0, &got), S_FALSE);
    EXPECT_EQ(got, nullptr);
}

TEST(ErrorInfo, OneSlotPerThread)
{
    IErrorInfo* info = make_error(u"here");
    SetErrorInfo(0, info);
    info->Release();
    HRESULT other = S_OK;
    std::thread([&] {
        IErrorInfo* none = nullptr;
        other = GetErrorInfo(0, &none);
    }).join();
    EXPECT_EQ(other, S_FALSE);
    IErrorInfo* mine = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &mine), S_OK);
    mine->Release();
}

} // namespace
