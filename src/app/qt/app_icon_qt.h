#pragma once
// The application's icon (the Windows build's icon file, built into the
// program as a Qt resource): window and notification-area icon.
#include <QIcon>

namespace px {

QIcon AppIconQt();

}  // namespace px
