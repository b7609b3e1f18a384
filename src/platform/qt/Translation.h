#pragma once
// Qt's own Japanese texts for the standard dialogs and buttons (はい/いいえ/キャンセル, the file,
// colour and font pickers), so no English shows in the Japanese program.
#include <QString>

namespace orv {

// Loads qtbase_ja from Qt's translations folder into the application, whatever the desktop's
// language is. False when the translation is not installed (the dialogs then stay in English).
// Call once, after the application object exists.
bool installJapaneseTranslation();

// Where Qt's translation files are looked for.
QString qtTranslationsFolder();

}  // namespace orv
