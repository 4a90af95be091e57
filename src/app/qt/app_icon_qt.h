#pragma once
// The application's icon (the Windows build's icon file, built into the
// program as a Qt resource): window and notification-area icon.
#include <QIcon>

namespace px {

inline QIcon AppIconQt() { return QIcon(QStringLiteral(":/px6410/app.ico")); }

}  // namespace px
