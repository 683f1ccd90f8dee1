#pragma once

#include <QLocale>

namespace translations {

// Puts the program's texts and Qt's own (standard buttons, file dialogs) into the given
// language, by default the user's (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). A language without a
// translation gets English, whose plural forms ("1 game", "2 games") come from a translation of
// their own. Needs the application object; may be called again to switch (tests do).
void Install(const QLocale& locale = QLocale::system());

}  // namespace translations
