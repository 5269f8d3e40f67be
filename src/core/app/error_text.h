#pragma once

#include <QString>

#include <array>

namespace vantrel {

// Items of the catalogue's Errors section.
enum class ErrorItem : int {
    NotProcessed = 0,        // any negative code of a picture or dialog operation
    CantOpen = 1,            // the file can't be opened or created
    SizeUnknown = 2,         // the file's size can't be determined
    CheckFailed = 3,         // a frame record fails its check
    Damaged = 4,             // truncated, a damaged header, or no panel description
    WriteFailed = 5,         // not written completely
    BadDepth = 6,            // bits per pixel other than 1, 2, 4 or 8
    NoFrame = 7,             // a chosen file that is missing or holds no frame
    PanelPictureMissing = 8, // shown in place of the faceplate, not in the error box
    TooManyFrames = 9,       // a request past MaxFrames, in a box of its own
};

using ErrorTexts = std::array<QString, 10>;

// The error box's text for a result code: the catalogue's item for 0..7, item 0 for a negative
// code, "Error:" and the number for anything larger.
QString errorMessageText(const ErrorTexts& errorTexts, int code);

// An item's own text, for the items shown outside the error box's rule.
QString errorItemText(const ErrorTexts& errorTexts, ErrorItem item);

} // namespace vantrel
