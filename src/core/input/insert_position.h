#pragma once

namespace vantrel {

// Where added frames go relative to the current one: the insert-position dialog's answer. The
// dialog's result code is this value.
enum InsertPosition : int {
    InsertCancelled = 0,
    InsertBefore = 1,
    InsertAfter = 2, // preselected
};

} // namespace vantrel
