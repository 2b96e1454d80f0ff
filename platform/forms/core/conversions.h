#pragma once
// The runtime's conversions of variant values: CInt and CLng round half to even (banker's
// rounding) and raise 6 (Overflow) outside their range; text that is not a number and values
// that have no number raise 13 (Type mismatch). An empty value converts to 0, "" or False.

#include <QString>
#include <QVariant>

#include <cstdint>

namespace forms {

double round_half_even(double value);

int16_t CInt(const QVariant& value);
int32_t CLng(const QVariant& value);
uint8_t CByte(const QVariant& value);
double CDbl(const QVariant& value);
float CSng(const QVariant& value);
bool CBool(const QVariant& value);
QString CStr(const QVariant& value);

// Whether CDbl would succeed (IsNumeric).
bool IsNumeric(const QVariant& value);

} // namespace forms
