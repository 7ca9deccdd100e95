#pragma once
// Handles at most one waiting window message of the calling thread, if any:
// long work on the GUI thread calls it at fixed points to keep the screen
// alive. A quit message taken here is dispatched like any other.
void PumpMessages();
