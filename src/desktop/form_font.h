#pragma once
// The form is laid out for Tahoma 8.25 pt. Where the system has no Tahoma, a metric-compatible
// free one (Debian's fonts-wine) is loaded into the application, so that every caption and
// value takes the room the layout gives it.

#include <QString>

namespace xfer::desktop {

// Makes a Tahoma family available to the application if one can be found (the system's, or
// the free files) and returns its name; returns an empty string when there is none. Sets the
// application font to it at 8.25 pt, or the default family at that size.
QString UseFormFont();

}  // namespace xfer::desktop
