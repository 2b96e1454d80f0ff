#pragma once
// The control library's own identity: the application title that stands in box titles and in
// the About box, and the version that the About box shows.

#include <QString>

namespace kycomctl {

inline QString application_title() { return QStringLiteral("KyComCtl"); }

inline constexpr int version_major = 1;
inline constexpr int version_minor = 0;
inline constexpr int version_revision = 0;

} // namespace kycomctl
