// Work that other threads hand to the GUI thread. Posting never waits for the GUI thread, and
// once the window is gone nothing more is posted, so threads that outlive the event loop never
// touch a dead application.
#pragma once

#include <functional>

// PostToGui: queues task for the GUI thread's event loop and returns at once; false (task
// dropped) while no window is open. Example: PostToGui([] { MainWindow::Current()->show(); }).
bool PostToGui(std::function<void()> task);

// Opens and closes the gate that PostToGui passes through (the window's lifetime).
void OpenGuiGate();
void CloseGuiGate();
