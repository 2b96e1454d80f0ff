// The VARIANT bridge in a process without the hosting part of the runtime (this test program
// links the core alone): values and errors cross both ways, an object crosses neither way.

#include "platform/forms/core/dispatch_bridge.h"
#include "platform/forms/core/std_font.h"

#include <QObject>

#include <gtest/gtest.h>

namespace {

using forms::from_qvariant;
using forms::to_qvariant;

TEST(CoreDispatchBridge, ValuesCrossBothWays)
{
    const struct {
        const char* what;
        QVariant value;
        VARTYPE vt;
    } cases[] = {
        {"Long", QVariant(42), VT_I4},
        {"Integer", QVariant::fromValue<short>(-7), VT_I2},
        {"Boolean", QVariant(true), VT_BOOL},
        {"Double", QVariant(2.5), VT_R8},
        {"String", QVariant(QStringLiteral("Gr\u00fc\u00dfe")), VT_BSTR},
        {"Empty", QVariant(), VT_EMPTY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CComVariant crossed;
        ASSERT_EQ(from_qvariant(c.value, VT_VARIANT, crossed), S_OK);
        EXPECT_EQ(crossed.vt, c.vt);
        QVariant back;
        ASSERT_EQ(to_qvariant(crossed, back), S_OK);
        EXPECT_EQ(back, c.value);
        EXPECT_EQ(back.typeId(), c.value.typeId());
    }
}

TEST(CoreDispatchBridge, NoObjectCrossesWithoutTheHostingPart)
{
    QObject object;
    const struct {
        const char* what;
        QVariant value;
    } cases[] = {
        {"object", QVariant::fromValue<QObject*>(&object)},
        {"font", QVariant::fromValue(forms::StdFont::create())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CComVariant crossed;
        EXPECT_EQ(from_qvariant(c.value, VT_VARIANT, crossed), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(crossed.vt, VT_EMPTY);
    }
    // Nothing is no object to make: it crosses as Nothing.
    CComVariant nothing(static_cast<IDispatch*>(nullptr));
    QVariant back;
    ASSERT_EQ(to_qvariant(nothing, back), S_OK);
    EXPECT_EQ(back.value<QObject*>(), nullptr);
}

TEST(CoreDispatchBridge, ErrorsMapToTheirResultsAndBack)
{
    const struct {
        int32_t number;
        HRESULT hr;
    } cases[] = {
        {forms::vberr::MemberNotSupported, DISP_E_MEMBERNOTFOUND},
        {forms::vberr::WrongNumberOfArguments, DISP_E_BADPARAMCOUNT},
        {forms::vberr::TypeMismatch, DISP_E_TYPEMISMATCH},
        {forms::vberr::Overflow, DISP_E_OVERFLOW},
        {forms::vberr::InvalidPropertyValue, static_cast<HRESULT>(0x800A017Cu)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(forms::hresult_of(forms::VbError(c.number, QStringLiteral("Probe"))), c.hr);
        EXPECT_EQ(forms::error_of(c.hr).number(), c.number);
    }
}

} // namespace
