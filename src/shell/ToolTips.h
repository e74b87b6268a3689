// Tool tips of the detail dialogs: a control whose id has a text here shows it, in every dialog.
#pragma once

namespace tablon {

// The tool-tip text of a control id, or null.
const char* ToolTipText(int controlId);
// The program-wide switch: tool tips are on and no command changes that.
constexpr bool kToolTipsOn = true;

}  // namespace tablon
