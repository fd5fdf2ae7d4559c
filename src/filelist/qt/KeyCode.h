#pragma once

// The virtual key code of a Qt key as the list reports it in its key-down
// event (46 for Delete); 0 for keys without one.
int virtualKeyCode(int qtKey);
