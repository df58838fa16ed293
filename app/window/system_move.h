#pragma once
class QWindow;

namespace quabe {

// Withdraws a move handed to the window manager whose left-button release
// reached the window instead: the button came up before the manager took the
// pointer, and the manager would otherwise carry the window until some later
// release.
void CancelSystemMove(QWindow* window);

}  // namespace quabe
