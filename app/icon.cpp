#include "icon.h"

#include <QPixmap>

#include "icon/hamburger.xpm"

QIcon HamburgerIcon()
{
    return QIcon(QPixmap(hamburger_xpm));
}
