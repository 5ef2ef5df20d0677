// The mouse events a painted control publishes: the handlers its description names for press,
// move, release and click, fired from the control's own window messages.
#pragma once

#include <windows.h>

class Control;

// A button press of any button, double-clicks included (a double-click is a second press).
bool IsMousePress(UINT message);

// Fires the description's handler for a mouse message; other messages and unnamed handlers do
// nothing.
void FireDescribedMouseHandler(Control& control, UINT message, WPARAM wParam, LPARAM lParam);
