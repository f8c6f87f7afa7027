#pragma once
#include <QtCore/QString>

// The links of prepared-page objects named "URL...": either a page link ("@"
// followed by a page number) or an outside address, of which only web and
// mail addresses may be opened, because templates and ".rpp" files come from
// anywhere and must not start programs or open local files.

// True when the link is "@" followed by a number (blanks allowed), which is
// then stored in `page` (the number as written; the preview limits it).
bool rpIsPageLink(const QString& link, int* page = nullptr);
// The address the desktop may open: an http, https or mailto URL ("www."
// alone means http); empty for anything else.
QString rpOpenableUrl(const QString& link);
