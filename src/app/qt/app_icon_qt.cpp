#include "app/qt/app_icon_qt.h"

namespace px {

QIcon AppIconQt() { return QIcon(QStringLiteral(":/px6410/app.ico")); }

}  // namespace px
