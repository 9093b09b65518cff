#include "icon.h"

#include "icon/hamburger.xpm"

#include <QPixmap>

QIcon HamburgerIcon()
{
    return QIcon(QPixmap(hamburger_xpm));
}
