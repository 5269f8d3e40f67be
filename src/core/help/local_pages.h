#pragma once

#include <QString>

namespace vantrel {

// File names of the pages shipped beside the program; each has translations named like
// "Vantrel.en.html" beside it, the plain name being the default catalogue's (Japanese) text.
inline constexpr char HelpPageName[] = "Vantrel.html";
inline constexpr char AnimationsPageName[] = "anime.html";
inline constexpr char PanelsPageName[] = "panels.html";

// The page in the catalogue's language: "name.<language>.html" when it exists beside the page,
// else the page itself.
QString pageInLanguage(const QString& pagePath, const QString& language);

// A file address of a page in the program's folder, the default of a web page setting.
QString localPageUrl(const QString& programFolder, const char* pageName);

} // namespace vantrel
