#pragma once

#include <QString>

#include <array>

// A filter written as "description|patterns|description|patterns", patterns separated by ';',
// in the form a Qt file dialog takes: "description (patterns)" entries separated by ";;".
QString qtFileFilter(const QString& pipeFilter);

// The extension of a Qt filter entry with one pattern ("GIF (*.gif)" gives "gif"); empty for
// an entry of several patterns or none.
QString singleSuffixOf(const QString& filterEntry);

// The panel animation dialogs' filters, described by the catalogue's File items 0..2.
QString animOpenFilter(const std::array<QString, 5>& fileTexts);
QString animSaveFilter(const std::array<QString, 5>& fileTexts, int frameCount);
