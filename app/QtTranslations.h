#pragma once

class TTolkar2000;

// Loads Qt's own translations (the texts of its dialogs and context menus) in the language
// that the dictionary of Translator names with its key "$dlglanguage$", where Qt ships
// them; otherwise, and for English, Qt's texts stay English. Replaces what an earlier
// call loaded.
void LoadQtTranslations(TTolkar2000& Translator);
