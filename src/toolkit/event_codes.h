// Event codes the toolkit itself sends or acts on. The program's own commands (10002 save, 10433
// open recipe, ...) are defined by the windows that handle them.
#pragma once

namespace savora::toolkit {

// Dispatching this code (or a handler returning it) ends the event loop.
inline constexpr int L_EXIT = 1000;
// Asks the window manager's exit function whether the program may end; ends the loop when it may.
inline constexpr int L_EXIT_FUNCTION = 1011;
// Help for the front window's help context.
inline constexpr int L_HELP = 1009;
// Sent to a child window when the user closes its frame; the program's close-window command
// uses the same code, so a window handles both in one place.
inline constexpr int S_CLOSE = 10437;
// Default code of a drop of a list entry onto a list (a list's "dropEvent" property overrides it).
// The event's source is the list dragged from, its target the list dropped on; values hold
// {dragged index, dragged identifier, index under the pointer, identifier under the pointer},
// index and identifier -1 when the drop landed on no entry.
inline constexpr int L_DROP = 1050;

// Brings the window whose numeric identifier is values[0] to the front (the window list menu).
inline constexpr int L_ACTIVATE_WINDOW = 1052;

}  // namespace savora::toolkit
