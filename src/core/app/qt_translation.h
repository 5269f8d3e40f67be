#pragma once

#include <QString>

class QTranslator;

namespace vantrel {

// Loads Qt's own texts (file dialogs, standard buttons) for a language code such as "ja" or
// "pt_BR" from qtbase_<language>.qm in folder. False, and the translator left empty, when the
// code is empty or malformed or the folder has no such file.
bool loadQtTranslation(QTranslator& translator, const QString& language, const QString& folder);

} // namespace vantrel
